#!/usr/bin/env bash
# An application project outside the tree finds the installed package with
# find_package(tscore32), compiles its view from text, links, and runs under
# Wine showing what its record says.  With "vwrec.exe", the view is compiled
# by the package's Windows vwrec run through Wine instead of the one built
# for this machine:
#   external_app.sh SOURCE-ROOT BUILD-DIR ARCH [vwrec.exe]
set -u
src=$1 build=$2 arch=$3 compiler=${4:-}
work=$build/package-test${compiler:+-$compiler}
rm -rf "$work"
mkdir -p "$work"
fail() { echo "$*"; exit 1; }
cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "install failed"; }
cmake -S "$src/tests/packaging/app" -B "$work/app" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$work/prefix/lib/cmake/tscore32/toolchain-$arch.cmake" \
    -DCMAKE_PREFIX_PATH="$work/prefix" \
    ${compiler:+"-DTSCORE32_VWREC=$src/scripts/wine-run.sh;$work/prefix/bin/vwrec.exe"} >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; fail "configure failed"; }
cmake --build "$work/app" >"$work/build.log" 2>&1 || { cat "$work/build.log"; fail "build failed"; }
if [ -n "$compiler" ]; then
    grep -q "vwrec.exe" "$work/app/CMakeCache.txt" || fail "the views were not compiled by vwrec.exe"
fi
[ -f "$work/app/tscore32.dll" ] && [ -f "$work/app/helio32.dll" ] || fail "the DLLs were not copied beside the program"
out=$("$src/scripts/wine-run.sh" "$work/app/customer_app.exe" 2>&1 | tr -d '\r')
echo "$out"
want="view string: @3D3@VIEWNAME(Customer)
field 101: @ALPHA@LIMIT(20)
field 101 font: Courier New"
[ "$out" = "$want" ] || fail "the program did not show its record's directives and font"
echo "the application found the package, compiled its view and ran"
