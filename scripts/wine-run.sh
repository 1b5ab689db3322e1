#!/usr/bin/env bash
# The emulator CTest runs Windows test programs through.  The programs need
# the test session's display: without one they would wait for nothing.
#
# When CTest hands out a session slot (ctest --resource-spec-file with the
# session's resource file), the program runs in that slot's prefix and on its
# display, in a scratch folder of its own: test programs running side by side
# then never see each other's windows, files or profile entries.
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
    echo "wine-run: no test session; start one with scripts/wine-session.sh start" >&2
    exit 1
fi
slot=${CTEST_RESOURCE_GROUP_0_WINE:-}
if [ -z "$slot" ]; then
    exec "$TS_WINE" "$@"
fi
slot=${slot#id:}
slot=${slot%%,*}
set_display() { shift "$slot"; DISPLAY=:$1; }
set_display $TS_SLOT_DISPLAYS
export DISPLAY WINEPREFIX
WINEPREFIX=$(ts_slot_prefix "$slot")
scratch=$(mktemp -d /tmp/tsrun.XXXXXX)
trap 'cd /; rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
"$TS_WINE" "$@"
status=$?
exit $status
