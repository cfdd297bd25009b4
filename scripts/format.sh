#!/bin/sh
# Formats the C++ sources with the house style in .clang-format; with --check, only lists the files
# that differ from it and fails when there are some.
set -eu
cd "$(dirname "$0")/.."
files=$(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --check ]; then
  if ! clang-format --dry-run --Werror $files 2>/dev/null; then
    clang-format --dry-run $files 2>&1 | grep ': warning:' | cut -d: -f1 | sort -u
    echo "Questi file non seguono .clang-format: scripts/format.sh li sistema." >&2
    exit 1
  fi
  exit 0
fi
clang-format -i $files
