#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test offscreen; fails when a test fails.
# Under CI (CI=true) a compiler warning fails the build too.
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
./scripts/build.sh -DCABLORA_WERROR="$werror"
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
