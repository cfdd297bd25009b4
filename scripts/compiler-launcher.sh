#!/usr/bin/env bash
# Runs one compile ("$@" is the compiler and its arguments) and keeps the warnings it printed beside
# the object it writes, as <object>.warnings (none: no file). scripts/check-warnings.sh reads them after
# a build, so that warnings can fail a build without a -Werror flag: the compile commands stay the same
# whether warnings count as errors or not, and switching recompiles nothing.
# The compile goes through ccache when it is installed (CABLORA_CCACHE=0 turns that off).
object=
previous=
for argument in "$@"; do
  [ "$previous" = "-o" ] && object=$argument
  previous=$argument
done

if [ "${CABLORA_CCACHE:-1}" != 0 ] && command -v ccache >/dev/null 2>&1; then
  # depend mode: a miss costs no extra preprocessing (the build asks the compiler for -MD anyway);
  # the sloppiness lets ccache use the precompiled Qt headers.
  export CCACHE_DEPEND=${CCACHE_DEPEND:-true}
  export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}
  set -- ccache "$@"
fi

diagnostics=$(mktemp)
"$@" 2>"$diagnostics"
status=$?
cat "$diagnostics" >&2
if [ -n "$object" ]; then
  if grep -q 'warning:' "$diagnostics"; then
    # The first line names the source, so that a warning of a file since deleted can be ignored.
    { printf '# %s\n' "${!#}"; cat "$diagnostics"; } >"$object.warnings"
  else
    rm -f "$object.warnings"
  fi
fi
rm -f "$diagnostics"
exit $status
