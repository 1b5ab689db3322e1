#!/usr/bin/env bash
# Runs every test suite: the native core tests and fuzz smoke runs, then the
# Windows tests of each architecture under Wine on a private Xvfb display.
set -u
TS_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$TS_ROOT"
status=0

echo "== native core tests"
ctest --test-dir build/native --output-on-failure -j 2 || status=1

echo "== fuzz smoke runs (two at a time)"
# fuzz_one NAME: one smoke run from the seeds and the kept corpus; the verdict
# goes to build/native/NAME.result
fuzz_one() {
    local f=build/native/tests/native/$1 corpus=build/native/corpus/$1
    mkdir -p "$corpus"
    cp -n tests/native/seeds/${1#fuzz_}/* "$corpus/" 2>/dev/null
    if "$f" -runs=${TS_FUZZ_RUNS:-200000} -max_total_time=${TS_FUZZ_SECONDS:-15} -max_len=4096 "$corpus" \
        >build/native/$1.log 2>&1; then
        echo "$1: $(grep -o 'Done [0-9]* runs.*' build/native/$1.log)" > build/native/$1.result
    else
        { echo "$1: FAILED (see build/native/$1.log)"; tail -30 build/native/$1.log; } > build/native/$1.result
    fi
}
fuzzers=()
for f in build/native/tests/native/fuzz_*; do
    [ -x "$f" ] || continue
    fuzzers+=("$(basename "$f")")
    rm -f "build/native/${fuzzers[-1]}.result"
    fuzz_one "${fuzzers[-1]}" &
    [ "$(jobs -rp | wc -l)" -ge 2 ] && wait -n
done
wait
for name in "${fuzzers[@]}"; do
    if [ -f "build/native/$name.result" ]; then
        cat "build/native/$name.result"
        grep -q FAILED "build/native/$name.result" && status=1
    else
        echo "$name: no result"; status=1
    fi
done

. scripts/wine-env.sh
trap 'bash scripts/wine-session.sh stop' EXIT
bash scripts/wine-session.sh start 2
for arch in x86_64 i686; do
    if [ "$arch" = i686 ] && [ "$TS_HAVE_WINE32" != 1 ]; then
        echo "== i686: this machine has no working 32-bit Wine: the i686 DLLs and examples are built, its test programs are built, not run"
        echo "== i686 export tables"
        bash tests/check_exports.sh i686-w64-mingw32-objdump build/i686/bin tscore32.h || status=1
        continue
    fi
    echo "== Windows tests, $arch, under $("$TS_WINE" --version)"
    ctest --test-dir build/$arch --output-on-failure --timeout 120 -j 2 \
        --resource-spec-file "$TS_RESOURCES" || status=1
done
exit $status
