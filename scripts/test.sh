#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test offscreen; fails when a test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
