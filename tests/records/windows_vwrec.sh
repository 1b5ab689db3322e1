#!/usr/bin/env bash
# vwrec.exe, the Windows build of the tool, run under Wine, gives what the
# build machine's vwrec gives: the list of a DLL's records, a record's text,
# and the bytes compiled from that text.
#   windows_vwrec.sh WINE-RUN VWREC.EXE HOST-VWREC DLL
set -u
run=$1 exe=$2 host=$3 dll=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
win() { "$run" "$exe" "$@" 2>/dev/null | tr -d '\r'; }
fail=0
diff <("$host" dump "$dll" 2>/dev/null) <(win dump "Z:$dll") || { echo "the lists differ"; fail=1; }
"$host" dump "$dll" FILEOPEN -o "$work/fileopen.txt" 2>/dev/null
diff "$work/fileopen.txt" <(win dump "Z:$dll" FILEOPEN) || { echo "the texts differ"; fail=1; }
"$run" "$exe" compile "Z:$work/fileopen.txt" -o "Z:$work/fileopen.bin" >/dev/null 2>&1
"$host" extract "$dll" FILEOPEN -o "$work/want.bin"
cmp "$work/want.bin" "$work/fileopen.bin" || { echo "vwrec.exe compiles other bytes"; fail=1; }
[ $fail = 0 ] && echo "vwrec.exe under Wine lists, dumps and compiles like the build machine's vwrec"
exit $fail
