#!/usr/bin/env bash
# Runs every fuzz target of the optimised fuzz build (build/fuzz) for
# TS_FUZZ_MINUTES minutes (default 10), TS_FUZZ_JOBS at a time (default 2).
# Each target works on build/fuzz/corpus/NAME, which starts as a copy of its
# seeds in tests/native/seeds/NAME and is kept between runs; what a target
# finds (crash-, leak-, timeout-, oom- files) lands in
# build/fuzz/findings/NAME.  Names given as arguments ("recordtext" or
# "fuzz_recordtext") run only those targets.
#
# Prints one line per target (executions, executions a second, coverage,
# corpus size, findings) and a summary; exits 1 when anything was found or a
# target did not run.
set -u
TS_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$TS_ROOT"
build=${TS_FUZZ_BUILD:-build/fuzz}
minutes=${TS_FUZZ_MINUTES:-10}
jobs=${TS_FUZZ_JOBS:-2}
seconds=$(awk -v m="$minutes" 'BEGIN { s = int(m * 60 + 0.5); print (s < 1 ? 1 : s) }')

targets=()
if [ $# -gt 0 ]; then
    for name in "$@"; do targets+=("fuzz_${name#fuzz_}"); done
else
    for f in "$build"/tests/native/fuzz_*; do
        [ -x "$f" ] && targets+=("$(basename "$f")")
    done
fi
if [ ${#targets[@]} -eq 0 ]; then
    echo "fuzz: no fuzz targets in $build (make fuzz builds them)" >&2
    exit 2
fi

# run_one NAME: one run of a target; its summary line goes to logs/NAME.result
run_one() {
    local name=$1 short=${1#fuzz_}
    local bin=$build/tests/native/$name corpus=$build/corpus/$short findings=$build/findings/$short
    local log=$build/logs/$name.log result=$build/logs/$name.result
    if [ ! -x "$bin" ]; then
        echo "$name: FAILED: no program $bin" > "$result"
        return
    fi
    mkdir -p "$corpus" "$findings"
    cp -n tests/native/seeds/$short/* "$corpus/" 2>/dev/null
    touch "$build/logs/$name.start"
    # -reload=0: no other process adds to the corpus; -timeout: an input
    # that takes longer than this is a finding of its own
    "$bin" -max_total_time="$seconds" -max_len=4096 -timeout=10 -reload=0 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" >"$log" 2>&1
    local rc=$?
    local runs rate cov found files
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    files=$(find "$corpus" -type f | wc -l)
    found=$(find "$findings" -type f -newer "$build/logs/$name.start" | wc -l)
    printf '%-16s %12s runs %8s/s  cov %6s  corpus %5s  findings %s%s\n' "$short" "${runs:-?}" "${rate:-?}" \
        "${cov:-?}" "$files" "$found" "$( [ "$rc" -ne 0 ] && echo "  (exit $rc, see $log)")" > "$result"
    if [ "$found" -gt 0 ] || [ "$rc" -ne 0 ]; then
        find "$findings" -type f -newer "$build/logs/$name.start" | sed 's/^/    /' >> "$result"
        echo FAILED >> "$result"
    fi
}

mkdir -p "$build/logs"
echo "fuzz: ${#targets[@]} targets, $minutes min each, $jobs at a time (load: $(cut -d' ' -f1-3 /proc/loadavg))"
for name in "${targets[@]}"; do
    rm -f "$build/logs/$name.result"
    run_one "$name" &
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n; done
done
wait

status=0 total=0 bad=0
for name in "${targets[@]}"; do
    result=$build/logs/$name.result
    if [ ! -f "$result" ]; then
        echo "${name#fuzz_}: no result"
        status=1 bad=$((bad + 1))
        continue
    fi
    grep -v '^FAILED$' "$result"
    if grep -q '^FAILED$\|FAILED:' "$result"; then
        status=1 bad=$((bad + 1))
    fi
    n=$(awk '{ print $2 }' "$result" | head -1)
    [[ $n =~ ^[0-9]+$ ]] && total=$((total + n))
done
echo "fuzz: ${#targets[@]} targets, $total executions, $bad with findings or failures (load: $(cut -d' ' -f1-3 /proc/loadavg))"
exit $status
