#!/usr/bin/env bash
# Builds the program and the tests with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs every test there offscreen. A test fails at the first invalid memory access,
# undefined behaviour or leaked block, with its stack; the script fails when a test fails.
# Extra arguments go to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
# Warnings are checked in the normal build (scripts/test.sh): GCC's flow warnings change with the
# sanitizers' instrumentation and would fail this build for code that is fine.
options=()
[ -f build-asan/CMakeCache.txt ] || options=(-DCABLORA_SANITIZE=ON -DCABLORA_TOOLS=OFF)
CABLORA_BUILD_DIR=build-asan ./scripts/build.sh cablora_tests "${options[@]}" "$@"
# Leaks count; the suppressions name only blocks that libraries outside the project keep for the
# whole run (see scripts/lsan.supp). The programs the tests start inherit these settings.
# intercept_tls_get_addr=0: the sanitizers of GCC 12 misread the dynamic thread-local blocks of this
# C library (Debian 12's glibc 2.36-9+deb12u14), and LeakSanitizer's thread tracer then crashes at the
# end of every test that loaded an image plugin ("Tracer caught signal 11"). Leaks are still found.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:intercept_tls_get_addr=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
# The read-only cases run in the normal suite (scripts/test.sh), without root's permission override.
./scripts/run-tests.sh build-asan --con-permessi-root
