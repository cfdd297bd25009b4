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
  exit $bad
fi
clang-format -i $files
