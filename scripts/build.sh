#!/usr/bin/env bash
# Configures and builds everything (program, tests, benchmarks) into build/.
# Extra arguments go to CMake's configure step (for example -DCABLORA_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
"$(pwd)/scripts/setup.sh"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCABLORA_WERROR=OFF "$@" >/dev/null
cmake --build build --parallel "$(nproc)"
