#!/usr/bin/env bash
# Sets up the machine, builds what the tests need and runs every test offscreen; fails when a test
# fails. Under CI (CI=true) a compiler warning fails the run too.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh cablora_tests "$@"
if [ "${CI:-}" = "true" ]; then
  ./scripts/check-warnings.sh build
fi
./scripts/run-tests.sh build
