#!/bin/sh
# Formats the C++ sources with the house style in .clang-format; with --check, only lists the files
# that differ from it and fails when there are some.
set -eu
cd "$(dirname "$0")/.."
files=$(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --check ]; then
  bad=0
  for f in $files; do
    if ! clang-format --style=file "$f" | cmp -s - "$f"; then echo "$f"; bad=1; fi
  done
  [ $bad = 0 ] || echo "Questi file non seguono .clang-format: scripts/format.sh li sistema." >&2
  exit $bad
fi
clang-format -i $files
