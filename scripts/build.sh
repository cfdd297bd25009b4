#!/usr/bin/env bash
# Sets up the machine, configures the build folder (build/, or $CABLORA_BUILD_DIR) when it is new or
# when CMake options are given, and builds the targets named (everything when none is named).
#   scripts/build.sh [TARGET ...] [-DOPTION=VALUE ...]
# A new build folder uses Ninja when it is installed; an existing one keeps its generator. CMake's
# configure output is kept in <build folder>/configure.log and shown only when it holds a warning
# (a missing optional package, for instance) or when configuring failed.
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${CABLORA_BUILD_DIR:-build}
targets=()
options=()
for argument in "$@"; do
  case "$argument" in
    -*) options+=("$argument") ;;
    *) targets+=("$argument") ;;
  esac
done

"$(pwd)/scripts/setup.sh"

if [ ! -f "$folder/CMakeCache.txt" ] || [ ${#options[@]} -gt 0 ]; then
  generator=()
  if [ ! -f "$folder/CMakeCache.txt" ]; then
    options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}")
    command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
  fi
  mkdir -p "$folder"
  log=$(mktemp)
  if ! cmake -S . -B "$folder" "${generator[@]}" -Wno-dev "${options[@]}" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    exit 1
  fi
  mv "$log" "$folder/configure.log"
  # Show each warning block (from "CMake Warning" up to the next blank line after its text).
  awk '/^CMake Warning/ {show = 1} show {print} show && /^$/ && seen {show = 0; seen = 0} show && !/^$/ {seen = 1}' \
      "$folder/configure.log" >&2
fi

build=(cmake --build "$folder" --parallel "$(nproc)")
if [ ${#targets[@]} -gt 0 ]; then
  "${build[@]}" --target "${targets[@]}"
else
  "${build[@]}"
fi
