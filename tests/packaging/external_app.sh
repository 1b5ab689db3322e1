#!/usr/bin/env bash
# An application outside the tree finds the installed package, compiles its
# view from text (with the package's vwrec.exe under Wine when asked), gets
# the DLLs copied beside it, and shows under Wine what its record says:
#   external_app.sh SOURCE-ROOT BUILD-DIR ARCH [vwrec.exe]
set -u
src=$1 build=$2 arch=$3 exe=${4:-}
work=$build/package-test${exe:+-$exe}
fail() { cat "$work/log"; echo "$*"; exit 1; }
rm -rf "$work" && mkdir -p "$work"
cmake --install "$build" --prefix "$work/prefix" >"$work/log" 2>&1 || fail "install failed"
cmake -S "$src/tests/packaging/app" -B "$work/app" -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$work/prefix" \
    -DCMAKE_TOOLCHAIN_FILE="$work/prefix/lib/cmake/tscore32/toolchain-$arch.cmake" \
    ${exe:+"-DTSCORE32_VWREC=$src/scripts/wine-run.sh;$work/prefix/bin/vwrec.exe"} >"$work/log" 2>&1 || fail "configure failed"
cmake --build "$work/app" >"$work/log" 2>&1 || fail "build failed"
[ -z "$exe" ] || grep -q "vwrec.exe" "$work/app/CMakeCache.txt" || fail "the views were not compiled by vwrec.exe"
"$src/scripts/wine-run.sh" "$work/app/customer_app.exe" >"$work/log" 2>&1
[ "$(tr -d '\r' <"$work/log")" = "view string: @3D3@VIEWNAME(Customer)
field 101: @ALPHA@LIMIT(20)
field 101 font: Courier New" ] || fail "the program did not run beside its DLLs showing its record's directives and font"
echo "the application found the package, compiled its view and ran"
