#!/usr/bin/env bash
# wine-session.sh start|stop
# start: makes (or refreshes) the private prefix, starts Xvfb and one
#        persistent wineserver, and boots the prefix so that Wine's services
#        are up before any test runs.
# stop:  ends the wineserver, waits for it, and stops Xvfb.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
mkdir -p "$TS_ROOT/build"

make_prefix() {
    local want marker=$WINEPREFIX/.tscore32-prefix
    want="wine32=$TS_HAVE_WINE32"
    if [ -f "$marker" ] && [ "$(cat "$marker")" = "$want" ]; then return 0; fi
    # a prefix made before wine32 was installed cannot run 32-bit programs
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$TS_WINE" wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
    # Debian's Wine does not look in its own font folder: without these,
    # "MS Sans Serif" is not the real bitmap font and dialog units are off
    cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
    # no window manager on Xvfb: Wine must not wait for one
    "$TS_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    "$TS_WINE" reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d "" /f >/dev/null 2>&1
    wineserver -w
    echo "$want" > "$marker"
}

start() {
    stop >/dev/null 2>&1
    make_prefix
    local d
    for d in $(seq 91 140); do
        [ -e /tmp/.X11-unix/X$d ] || [ -e /tmp/.X$d-lock ] && continue
        Xvfb ":$d" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        echo "export DISPLAY=:$d; TS_XVFB_PID=$!" > "$TS_SESSION"
        break
    done
    . "$TS_SESSION"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done
    wineserver -p
    "$TS_WINE" wineboot </dev/null >/dev/null 2>&1
}

stop() {
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    if [ -f "$TS_SESSION" ]; then
        . "$TS_SESSION"
        [ -n "${TS_XVFB_PID:-}" ] && kill "$TS_XVFB_PID" 2>/dev/null
        rm -f "$TS_SESSION"
    fi
    return 0
}

case "${1:-}" in
    start) start ;;
    stop) stop ;;
    *) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
