#!/usr/bin/env bash
# Checks the export tables of the built DLLs:
#   tscore32.dll exports every function of tscore32.h by its plain name
#   (no stdcall decoration), and helio32.dll exactly the seventeen
#   companion ordinals, without names; tscore32.dll imports them by ordinal.
#   Neither DLL imports a reader of the environment: what they do never
#   depends on a variable (a test switch, say) set around the program.
#   check_exports.sh OBJDUMP BINDIR HEADER
set -u
objdump=$1 bin=$2 header=$3
fail=0
exports=$("$objdump" -p "$bin/tscore32.dll" | awk '/\[Ordinal\/Name Pointer\] Table/{on=1; next} on && /^\t\[/{print $NF} on && !/^\t\[/{on=0}')
want=$(grep -oE '(VWAPI|CALLBACK)[[:space:]]+[A-Za-z_][A-Za-z0-9_]*[[:space:]]*\(' "$header" \
       | sed -E 's/^(VWAPI|CALLBACK)[[:space:]]+//; s/[[:space:]]*\($//' | sort -u)
missing=$(comm -23 <(echo "$want") <(echo "$exports" | sort -u))
[ -z "$missing" ] || { echo "tscore32.dll lacks exports: $missing"; fail=1; }
decorated=$(echo "$exports" | grep '@' || true)
[ -z "$decorated" ] || { echo "decorated exports: $decorated"; fail=1; }
ordinals=$("$objdump" -p "$bin/helio32.dll" | awk '/Export Address Table -- Ordinal Base/{on=1; next} on && /^\t\[/{print} on && /^$/{on=0}' \
           | grep -c 'Export RVA')
[ "$ordinals" = 17 ] || { echo "helio32.dll exports $ordinals entries, not 17"; fail=1; }
named=$("$objdump" -p "$bin/helio32.dll" | awk '/\[Ordinal\/Name Pointer\] Table/{on=1; next} on && /^\t\[/{print}' | wc -l)
[ "$named" = 0 ] || { echo "helio32.dll exports $named names"; fail=1; }
for o in 126 128 131 139 140 141 142 143 144 145 151 153 155 157 160 161 162; do
    "$objdump" -p "$bin/helio32.dll" | grep -qE "^\s+\[\s*$((o - 126))\] \+base\[\s*$o\]" \
        || { echo "helio32.dll lacks ordinal $o"; fail=1; }
done
byname=$("$objdump" -p "$bin/tscore32.dll" | awk '/DLL Name: helio32.dll/{on=1; next} on && /DLL Name/{on=0} on' | grep -c ' hl' || true)
[ "$byname" = 0 ] || { echo "tscore32.dll imports helio32 by name"; fail=1; }
for dll in tscore32 helio32; do
    readers=$("$objdump" -p "$bin/$dll.dll" | grep -oiE '\b(GetEnvironment(Variable|Strings)[AW]?|_?w?getenv(_s)?)\b' | sort -u || true)
    [ -z "$readers" ] || { echo "$dll.dll reads the environment: $(echo $readers)"; fail=1; }
done
[ $fail = 0 ] && echo "exports ok: $(echo "$want" | wc -l) functions, 17 companion ordinals"
exit $fail
