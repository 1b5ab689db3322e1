#!/usr/bin/env bash
# Every view-definition record in the built programs and DLLs reads back as
# text that compiles to the same bytes:
#   roundtrip.sh VWREC BINDIR
set -u
vwrec=$1 bin=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
count=0 fail=0
for file in "$bin"/*.exe "$bin"/*.dll; do
    for name in $("$vwrec" dump "$file" 2>/dev/null | awk '{print $1}'); do
        "$vwrec" extract "$file" "$name" -o "$work/record.bin" || { echo "cannot extract $name from $file"; fail=1; continue; }
        "$vwrec" dump "$file" "$name" -o "$work/record.txt" 2>/dev/null
        if ! "$vwrec" compile "$work/record.txt" -o "$work/again.bin"; then
            echo "$file $name: the dumped text does not compile:"; cat "$work/record.txt"; fail=1
        elif ! cmp -s "$work/record.bin" "$work/again.bin"; then
            echo "$file $name: the text compiles to other bytes:"; cat "$work/record.txt"
            cmp -l "$work/record.bin" "$work/again.bin" | head -5; fail=1
        fi
        count=$((count + 1))
    done
done
[ "$count" -gt 0 ] || { echo "no records found in $bin"; exit 1; }
echo "$count records read back to the same bytes"
exit $fail
