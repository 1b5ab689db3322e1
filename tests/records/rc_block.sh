#!/usr/bin/env bash
# The RCDATA block that "vwrec compile --rc" prints compiles, with the
# resource compiler, to the same bytes as "vwrec compile -o":
#   rc_block.sh VWREC WINDRES TEXT...
set -u
vwrec=$1 windres=$2 work=$(mktemp -d) fail=0
trap 'rm -rf "$work"' EXIT
shift 2
for text in "$@"; do
    { echo "#include <windows.h>"; "$vwrec" compile "$text" --rc VIEW; } >"$work/view.rc"
    "$vwrec" compile "$text" -o "$work/want.bin" && "$windres" -O res "$work/view.rc" -o "$work/view.res" &&
        "$vwrec" extract "$work/view.res" VIEW -o "$work/got.bin" && cmp "$work/want.bin" "$work/got.bin" ||
        { echo "$text: the block does not compile to its record:"; cat "$work/view.rc"; fail=1; }
done
[ $fail = 0 ] && echo "$# RCDATA blocks compile to their records"
exit $fail
