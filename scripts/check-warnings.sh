#!/usr/bin/env bash
# Fails when any object of the build folder given (build/ unless told) was compiled with a warning,
# and prints those warnings. scripts/compiler-launcher.sh keeps them beside each object, so the check
# also covers objects that this build did not need to compile again.
set -euo pipefail
folder=${1:-build}
found=0
while IFS= read -r -d '' file; do
  source=$(head -n 1 "$file" | sed 's/^# //')
  [ -e "$source" ] || continue   # the source was deleted since: its object no longer counts
  if [ $found -eq 0 ]; then
    echo "Il compilatore ha segnalato avvisi, che qui contano come errori:" >&2
  fi
  found=1
  tail -n +2 "$file" >&2
done < <(find "$folder" -name '*.warnings' -type f -print0)
exit $found
