#!/usr/bin/env bash
# The MSVC import libraries: tscore32.lib names every function of the header
# (on i686 stdcall-decorated, importing the plain name), helio32.lib imports
# its seventeen functions by ordinal, and a program lld-link links against
# them alone runs under Wine:  msvc_libs.sh ARCH LIBDIR BINDIR HEADER SOURCE WINE-RUN
set -u
arch=$1 lib=$2 bin=$3 header=$4 source=$5 run=$6 fail=0
tool() { for t in "$1" "$1"-{16,15,14}; do command -v "$t" >/dev/null && { echo "$t"; return; }; done; echo "$1"; }
want=$(grep -oE '(VWAPI|CALLBACK)[[:space:]]+[A-Za-z_][A-Za-z0-9_]*[[:space:]]*\(' "$header" \
       | sed -E 's/^[A-Z]+[[:space:]]+//; s/[[:space:]]*\($//' | sort -u)
imports=$("$(tool llvm-nm)" "$lib/tscore32.lib" | awk '$3 ~ /^__imp_/ {print $3}')
if [ "$arch" = i686 ]; then  # __imp__vwCreateView@20 imports vwCreateView
    bad=$(grep -vE '^__imp__[A-Za-z_][A-Za-z0-9_]*@[0-9]+$' <<<"$imports") && { echo "not stdcall-decorated: $bad"; fail=1; }
    have=$(sed -E 's/^__imp__//; s/@[0-9]+$//' <<<"$imports") nametype=undecorate
    target=i686-pc-windows-msvc machine=x86 dlltool="-m i386 -k" exit=ExitProcess@4
else
    have=$(sed -E 's/^__imp_//' <<<"$imports") nametype=name
    target=x86_64-pc-windows-msvc machine=x64 dlltool="-m i386:x86-64" exit=ExitProcess
fi
missing=$(comm -23 <(echo "$want") <(sort -u <<<"$have"))
[ -z "$missing" ] || { echo "tscore32.lib lacks: $missing"; fail=1; }
readobj=$(tool llvm-readobj)
other=$("$readobj" --coff-imports "$lib/tscore32.lib" | awk '/^Name type:/ && $3 != "'$nametype'" {print $3}' | sort | uniq -c)
[ -z "$other" ] || { echo "tscore32.lib imports other than by $nametype: $other"; fail=1; }
ordinals=$("$readobj" --coff-imports "$lib/helio32.lib" | grep -c '^Name type: ordinal')
[ "$ordinals" = 17 ] || { echo "helio32.lib imports $ordinals functions by ordinal, not 17"; fail=1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'LIBRARY kernel32.dll\nEXPORTS\n    %s\n' "$exit" >"$work/kernel32.def"
"$(tool llvm-dlltool)" $dlltool -d "$work/kernel32.def" -l "$work/kernel32.lib" -D kernel32.dll &&
"$(tool clang)" --target=$target -O1 -c "$source" -o "$work/link.obj" &&
"$(tool lld-link)" -nologo -nodefaultlib -entry:start -subsystem:console -machine:$machine "$work/link.obj" \
    "$lib/tscore32.lib" "$lib/helio32.lib" "$work/kernel32.lib" -out:"$work/link.exe" || { echo "lld-link failed"; exit 1; }
cp "$bin/tscore32.dll" "$bin/helio32.dll" "$work/"
"$run" "$work/link.exe" >/dev/null 2>&1; code=$?
[ "$code" = 42 ] || { echo "link.exe under Wine ended with $code, not 42"; fail=1; }
[ $fail = 0 ] && echo "$(wc -l <<<"$want") functions, 17 companion ordinals; a program linked by lld-link runs"
exit $fail
