#!/usr/bin/env bash
# Sets up the machine, builds, assembles the portable program folder dist/Cablora and starts it.
# The folder keeps its archives, photos and settings between runs; the password store is written
# only when it is absent, so a changed password survives a rebuild.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh cablora crea-password-iniziale guida-pdf
folder=dist/Cablora
mkdir -p "$folder"
cp -f build/cablora "$folder/cablora"
# The user manual that the help window's link opens, written by the build from the help text.
cp -f build/Guida.pdf "$folder/Guida.pdf"
./build/crea-password-iniziale "$folder"
exec "$folder/cablora"
