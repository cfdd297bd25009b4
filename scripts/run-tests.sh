#!/usr/bin/env bash
# Runs every test of a build folder (build/ unless told) offscreen with ctest; fails when a test fails.
# As root the tests run without root's right to write into read-only files and folders (the
# capabilities CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH dropped), so that the cases of read-only
# folders and shares run instead of skipping. --con-permessi-root keeps them (the sanitizer suite:
# LeakSanitizer's tracer crashes in a process that lost capabilities at its start).
set -euo pipefail
folder=${1:-build}
drop=1
[ "${2:-}" = "--con-permessi-root" ] && drop=0
cd "$folder"
run=()
if [ $drop -eq 1 ] && [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null 2>&1 \
   && setpriv --bounding-set=-dac_override,-dac_read_search true 2>/dev/null; then
  run=(setpriv --bounding-set=-dac_override,-dac_read_search)
fi
QT_QPA_PLATFORM=offscreen "${run[@]}" ctest --output-on-failure --parallel "$(nproc)"
