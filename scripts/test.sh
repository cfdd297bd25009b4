#!/usr/bin/env bash
# Sets up the machine, builds what the tests need and runs every test offscreen; fails when a test
# fails. Under CI (CI=true) a compiler warning, or a C++ file that differs from .clang-format, fails
# the run too.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh cablora_tests "$@"
if [ "${CI:-}" = "true" ]; then
  ./scripts/check-warnings.sh build
  ./scripts/format.sh --check
fi
./scripts/run-tests.sh build
