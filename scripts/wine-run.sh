#!/usr/bin/env bash
# The emulator CTest runs Windows test programs through.  The programs need
# the test session's display: without one they would wait for nothing.
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
    echo "wine-run: no test session; start one with scripts/wine-session.sh start" >&2
    exit 1
fi
exec "$TS_WINE" "$@"
