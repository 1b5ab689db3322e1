#!/usr/bin/env bash
# Writes a module-definition file for a DLL from a list of export names.
#   gen-def.sh NM ARCHIVE EXPORTS LIBRARY ARCH OUT
# EXPORTS holds one export a line: "name" or "name @ordinal NONAME"; '#' starts
# a comment.  A C header (.h) instead exports every function it declares
# with VWAPI or CALLBACK.  On i686 the stdcall decoration (name@bytes) is read from the
# compiled archive, so argument sizes never have to be counted by hand; the DLL
# is linked with --kill-at and exports the plain names.
set -eu
nm=$1 archive=$2 exports=$3 library=$4 arch=$5 out=$6
syms=$("$nm" -g --defined-only "$archive" 2>/dev/null | awk '$2 ~ /^[TtDdRrBb]$/ {print $3}')
tmp=$out.tmp
{
  echo "LIBRARY $library"
  echo "EXPORTS"
  if [ "${exports%.h}" != "$exports" ]; then
    grep -oE '(VWAPI|CALLBACK)[[:space:]]+[A-Za-z_][A-Za-z0-9_]*[[:space:]]*\(' "$exports" \
      | sed -E 's/^(VWAPI|CALLBACK)[[:space:]]+//; s/[[:space:]]*\($//'
  else
    sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$exports"
  fi | while read -r name rest; do
    if [ "$arch" = i686 ]; then
      dec=$(printf '%s\n' "$syms" | grep -E "^_${name}@[0-9]+\$" | head -1 || true)
      if [ -z "$dec" ]; then
        # cdecl or data: the plain underscore-prefixed symbol
        if printf '%s\n' "$syms" | grep -qx "_${name}"; then dec=_${name}
        else echo "gen-def: $name is not defined in $archive" >&2; exit 1; fi
      fi
      name=${dec#_}
    else
      printf '%s\n' "$syms" | grep -qx "${name}" || { echo "gen-def: $name is not defined in $archive" >&2; exit 1; }
    fi
    echo "    $name${rest:+ $rest}"
  done
} > "$tmp"
if [ -f "$out" ] && cmp -s "$tmp" "$out"; then rm -f "$tmp"; else mv "$tmp" "$out"; fi
