#!/usr/bin/env bash
# Runs fuzz targets one after another, each for a given time, over its committed seed corpus.
#
#   fuzz/run.sh [-t SECONDS] [-b BUILD_DIR] [TARGET...]
#
# Defaults: 600 seconds each, build folder build-fuzz beside this folder's parent, every target. The
# build folder must be configured with clang and -DCABLORA_FUZZ=ON:
#   CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCABLORA_FUZZ=ON && cmake --build build-fuzz --target fuzz
# New inputs go to BUILD_DIR/fuzz-scratch/<target> (the committed corpus stays small), crash inputs
# to BUILD_DIR/fuzz-artifacts/, the output to BUILD_DIR/fuzz-logs/<target>.log. To keep a few new
# inputs, merge them into the corpus:  <binary> -merge=1 fuzz/corpus/<target> <scratch folder>
set -u
here="$(cd "$(dirname "$0")" && pwd)"
seconds=600
build="$here/../build-fuzz"
while getopts "t:b:" option; do
  case "$option" in
    t) seconds="$OPTARG" ;;
    b) build="$OPTARG" ;;
    *) echo "usage: $0 [-t SECONDS] [-b BUILD_DIR] [TARGET...]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in "$here"/fuzz_*.cpp; do
    name="$(basename "$source" .cpp)"
    targets+=("$name")
  done
fi

mkdir -p "$build/fuzz-logs" "$build/fuzz-artifacts"
status=0
for target in "${targets[@]}"; do
  binary="$build/fuzz/$target"
  if [ ! -x "$binary" ]; then
    echo "$target: $binary is missing (build with -DCABLORA_FUZZ=ON, target fuzz)" >&2
    status=1
    continue
  fi
  scratch="$build/fuzz-scratch/$target"
  mkdir -p "$scratch"
  log="$build/fuzz-logs/$target.log"
  # The sheet record is 11895 bytes: inputs may be a whole record and a few bytes more.
  QT_QPA_PLATFORM=offscreen nice -n 10 "$binary" "$scratch" "$here/corpus/$target" \
      -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=12300 -print_final_stats=1 \
      -artifact_prefix="$build/fuzz-artifacts/$target-" >"$log" 2>&1
  rc=$?
  done_line="$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1)"
  executed="$(grep -E 'stat::number_of_executed_units' "$log" | tail -1 | awk '{print $2}')"
  if [ $rc -eq 0 ]; then
    echo "$target: ${executed:-?} executions in ${seconds}s, no finding. $done_line"
  else
    echo "$target: FINDING (exit $rc) after ${executed:-?} executions, see $log"
    grep -E 'check failed|ERROR: |runtime error|Test unit written' "$log" | head -5
    status=1
  fi
done
exit $status
