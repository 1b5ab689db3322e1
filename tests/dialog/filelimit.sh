#!/usr/bin/env bash
# filelimit.sh KBYTES PROGRAM [ARGS...]: runs a Windows test program through
# wine-run.sh with every file it writes limited to KBYTES kilobytes
# (RLIMIT_FSIZE), so writes past that really fail (EFBIG).  SIGXFSZ is
# ignored: by default the kernel ends the program silently at the first such
# write.  The program learns the limit in bytes from TS_FILE_SIZE_LIMIT.
limit=$1
shift
ulimit -f "$limit" || exit 1
trap '' XFSZ
export TS_FILE_SIZE_LIMIT=$((limit * 1024))
exec bash "$(dirname "$0")/../../scripts/wine-run.sh" "$@"
