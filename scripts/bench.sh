#!/usr/bin/env bash
# Runs the speed ratios of bench/ under Wine on a private display.
set -u
TS_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$TS_ROOT"
trap 'bash scripts/wine-session.sh stop' EXIT
bash scripts/wine-session.sh start
. scripts/wine-env.sh
(cd build/x86_64/bin && "$TS_WINE" ./bench.exe "${TS_BENCH_ROUNDS:-100}")
(cd build/x86_64/bin && "$TS_WINE" ./replace_measure.exe 10000 1048576 3)
# the file viewer at real sizes (50 MB unless TS_BENCH_MB says otherwise)
(cd build/x86_64/bin && "$TS_WINE" ./browse_bench.exe "${TS_BENCH_MB:-50}")
