#!/usr/bin/env bash
# Every view-definition record in the built programs and DLLs reads back as
# text that compiles to the same bytes:  roundtrip.sh VWREC BINDIR
set -u
vwrec=$1 work=$(mktemp -d) count=0 fail=0
trap 'rm -rf "$work"' EXIT
for file in "$2"/*.exe "$2"/*.dll; do
    for name in $("$vwrec" dump "$file" 2>/dev/null | awk '{print $1}'); do
        count=$((count + 1))
        "$vwrec" extract "$file" "$name" -o "$work/record.bin" && "$vwrec" dump "$file" "$name" -o "$work/record.txt" 2>/dev/null &&
            "$vwrec" compile "$work/record.txt" -o "$work/again.bin" && cmp "$work/record.bin" "$work/again.bin" ||
            { echo "$file $name: the text does not compile to the same bytes:"; cat "$work/record.txt"; fail=1; }
    done
done
[ "$count" -gt 0 ] || { echo "no records found in $2"; exit 1; }
echo "$count records read back to the same bytes"
exit $fail
