#!/usr/bin/env bash
# Measures, in one run, what a fresh machine and a developer wait for, and prints the table that the
# README shows. It works on a fresh clone of this repository's committed HEAD in a temporary folder
# (removed at the end) with an empty ccache, so nothing built before counts:
#   1. the README's test command (scripts/test.sh) from nothing built, as CI runs it (CI=true);
#   2. .ci/run as a whole: that test command, then the sanitizer suite (scripts/test-sanitizers.sh);
#   3. the size of the build folder after the test command;
#   4. one rule file edited, then its test built again and run.
# The packages must be installed already (scripts/setup.sh): their download is not measured.
#   scripts/measure-build.sh [--senza-sanitizer]
set -euo pipefail
cd "$(dirname "$0")/.."
sanitizers=1
[ "${1:-}" = "--senza-sanitizer" ] && sanitizers=0
./scripts/setup.sh

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
git clone -q . "$work/cablora"
export CCACHE_DIR="$work/ccache"
export CI=true
cd "$work/cablora"

load() { cut -d ' ' -f 1-3 /proc/loadavg; }
seconds() { date +%s.%N; }
minutes() { awk -v s="$1" 'BEGIN { printf "%.1f min", s / 60 }'; }

echo "Macchina: $(nproc) core, carico all'inizio: $(load)"
start=$(seconds)
./scripts/test.sh >"$work/test.log" 2>&1 || { tail -50 "$work/test.log"; echo "scripts/test.sh è fallito"; exit 1; }
test_seconds=$(awk -v a="$start" -v b="$(seconds)" 'BEGIN { print b - a }')
test_load=$(load)
build_size=$(du -sb build | cut -f 1)
echo "scripts/test.sh: $(minutes "$test_seconds"), cartella build $(du -sh build | cut -f 1), carico $test_load"

sanitizer_seconds=
if [ $sanitizers -eq 1 ]; then
  start=$(seconds)
  ./scripts/test-sanitizers.sh >"$work/asan.log" 2>&1 || { tail -50 "$work/asan.log"; echo "scripts/test-sanitizers.sh è fallito"; exit 1; }
  sanitizer_seconds=$(awk -v a="$start" -v b="$(seconds)" 'BEGIN { print b - a }')
  echo "scripts/test-sanitizers.sh: $(minutes "$sanitizer_seconds"), carico $(load)"
fi

# A real edit (a comment line), so that neither the build's time stamps nor ccache can skip it.
echo "// modifica di prova" >> src/common/TextRules.cpp
start=$(seconds)
cmake --build build --target tst_textrules >/dev/null
(cd build && QT_QPA_PLATFORM=offscreen ctest -R '^tst_textrules$' >/dev/null)
rebuild_seconds=$(awk -v a="$start" -v b="$(seconds)" 'BEGIN { print b - a }')

echo "Carico alla fine: $(load)"
echo
echo "| measure | measured | goal |"
echo "|---|---:|---:|"
echo "| README test command, fresh clone (packages installed, nothing built) | $(minutes "$test_seconds") (load at its end $test_load) | ≤ 5 min |"
if [ -n "$sanitizer_seconds" ]; then
  echo "| \`.ci/run\` (both suites; the sanitizer suite alone $(minutes "$sanitizer_seconds")) | $(minutes "$(awk -v a="$test_seconds" -v b="$sanitizer_seconds" 'BEGIN { print a + b }')") | ≤ 10 min |"
fi
echo "| build folder after the test command | $(awk -v b="$build_size" 'BEGIN { printf "%.0f MB", b / 1048576 }') | ≤ 1024 MB |"
echo "| one rule file edited (src/common/TextRules.cpp), rebuild and rerun its test | $(awk -v s="$rebuild_seconds" 'BEGIN { printf "%.1f s", s }') | ≤ 30 s |"
