#!/usr/bin/env bash
# The MSVC import libraries: tscore32.lib names every function of the
# header (on i686 with the stdcall decoration, importing the plain name),
# helio32.lib imports its seventeen functions by ordinal, and a program that
# lld-link links against them alone runs under Wine.
#   msvc_libs.sh ARCH LIBDIR BINDIR HEADER SOURCE WINE-RUN OBJDUMP
set -u
arch=$1 lib=$2 bin=$3 header=$4 source=$5 run=$6 objdump=$7
tool() { for t in "$1" "$1-16" "$1-15" "$1-14"; do command -v "$t" >/dev/null && { echo "$t"; return; }; done; }
nm=$(tool llvm-nm) readobj=$(tool llvm-readobj) link=$(tool lld-link) clang=$(tool clang)
[ -n "$nm" ] && [ -n "$readobj" ] || { echo "llvm-nm and llvm-readobj are needed"; exit 1; }
fail=0
want=$(grep -oE '(VWAPI|CALLBACK)[[:space:]]+[A-Za-z_][A-Za-z0-9_]*[[:space:]]*\(' "$header" \
       | sed -E 's/^(VWAPI|CALLBACK)[[:space:]]+//; s/[[:space:]]*\($//' | sort -u)
if [ "$arch" = i686 ]; then
    # __imp__vwCreateView@20 -> vwCreateView
    have=$("$nm" "$lib/tscore32.lib" | awk '$3 ~ /^__imp__/ {print $3}' | sed -E 's/^__imp__//; s/@[0-9]+$//' | sort -u)
    bad=$("$nm" "$lib/tscore32.lib" | awk '$3 ~ /^__imp__/ {print $3}' | grep -vE '^__imp__[A-Za-z_][A-Za-z0-9_]*@[0-9]+$' || true)
    [ -z "$bad" ] || { echo "symbols without the stdcall decoration: $bad"; fail=1; }
    nametype=undecorate
else
    have=$("$nm" "$lib/tscore32.lib" | awk '$3 ~ /^__imp_/ {print $3}' | sed -E 's/^__imp_//' | sort -u)
    nametype=name
fi
missing=$(comm -23 <(echo "$want") <(echo "$have"))
[ -z "$missing" ] || { echo "tscore32.lib lacks: $missing"; fail=1; }
other=$("$readobj" --coff-imports "$lib/tscore32.lib" | awk '/^Name type:/ {print $3}' | sort | uniq -c | grep -v " $nametype\$" || true)
[ -z "$other" ] || { echo "tscore32.lib imports other than by $nametype: $other"; fail=1; }
ordinals=$("$readobj" --coff-imports "$lib/helio32.lib" | grep -c '^Name type: ordinal')
[ "$ordinals" = 17 ] || { echo "helio32.lib imports $ordinals functions by ordinal, not 17"; fail=1; }

if [ -n "$link" ] && [ -n "$clang" ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    if [ "$arch" = i686 ]; then target=i686-pc-windows-msvc machine=x86 k=-k m=i386 exit=ExitProcess@4
    else target=x86_64-pc-windows-msvc machine=x64 k= m=i386:x86-64 exit=ExitProcess; fi
    printf 'LIBRARY kernel32.dll\nEXPORTS\n    %s\n' "$exit" > "$work/kernel32.def"
    "$(tool llvm-dlltool)" -m $m $k -d "$work/kernel32.def" -l "$work/kernel32.lib" -D kernel32.dll
    "$clang" --target=$target -O1 -c "$source" -o "$work/link.obj" &&
    "$link" -nologo -nodefaultlib -entry:start -subsystem:console -machine:$machine "$work/link.obj" \
        "$lib/tscore32.lib" "$lib/helio32.lib" "$work/kernel32.lib" -out:"$work/link.exe" \
        || { echo "lld-link could not link against the MSVC import libraries"; exit 1; }
    "$objdump" -p "$work/link.exe" | grep -q 'vwIsView' || { echo "link.exe does not import vwIsView by name"; fail=1; }
    cp "$bin/tscore32.dll" "$bin/helio32.dll" "$work/"
    "$run" "$work/link.exe" >/dev/null 2>&1
    code=$?
    [ "$code" = 42 ] || { echo "link.exe under Wine ended with $code, not 42"; fail=1; }
else
    echo "no lld-link or clang here: the link check is left out"
fi
[ $fail = 0 ] && echo "MSVC import libraries: $(echo "$want" | wc -l) functions, 17 companion ordinals; a program linked by lld-link runs"
exit $fail
