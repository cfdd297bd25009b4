#!/usr/bin/env bash
# Configures and builds everything (program, tests, benchmarks) into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
"$(pwd)/scripts/setup.sh"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)"
