#!/usr/bin/env bash
# The emulator CTest runs Windows test programs through.
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
exec "$TS_WINE" "$@"
