#!/usr/bin/env bash
# wine-session.sh start [SLOTS]|stop
# start: makes (or refreshes) the private prefix and starts SLOTS (default 1)
#        independent Wine sessions, each with its own Xvfb display, its own
#        copy of the prefix and one persistent wineserver booted before any
#        program runs.  Slot 0 uses the prefix itself; the display of slot 0
#        is the session's DISPLAY.  Tests run in parallel take one slot each
#        (see the resource file written next to the session file), so two
#        test programs never share a desktop, a Windows folder or a screen.
# stop:  ends every wineserver of the session, waits for them, and stops the
#        Xvfb displays.
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

# make_locales: the locales test programs ask for (TS_LANG, see wine-env.sh)
# that this machine has not installed, compiled from the glibc sources of the
# locales package into build/locale.  Without localedef or the sources the
# tests that need them skip.
make_locales() {
    local locale dir=$TS_ROOT/build/locale
    for locale in ja_JP.UTF-8; do
        [ -f "$dir/$locale/LC_CTYPE" ] && continue
        mkdir -p "$dir"
        localedef -i "${locale%%.*}" -f "${locale#*.}" "$dir/$locale" >/dev/null 2>&1 \
            || { rm -rf "${dir:?}/$locale"; echo "wine-session: cannot make the locale $locale" >&2; }
    done
}

# start_display: starts an Xvfb and prints "NUMBER PID".  The server picks
# its own display number and writes it to a descriptor once it accepts
# connections (-displayfd): a number chosen by looking at lock files could be
# taken at the same moment by another X server started beside us.
start_display() {
    local out pid d=""
    out=$(mktemp /tmp/tsxvfb.XXXXXX) || return 1
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$out" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 200); do
        d=$(head -n1 "$out" 2>/dev/null)
        [ -n "$d" ] && break      # written in one piece, with its newline
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$out"
    [ -n "$d" ] || { kill "$pid" 2>/dev/null; return 1; }
    echo "$d $pid"
}

start() {
    local slots=${1:-1} slot d pid displays="" pids="" ids=""
    stop >/dev/null 2>&1
    make_prefix
    make_locales
    for slot in $(seq 0 $((slots - 1))); do
        read -r d pid < <(start_display) || { echo "wine-session: no free display" >&2; exit 1; }
        displays="$displays $d"; pids="$pids $pid"
        ids="$ids${ids:+,}{\"id\":\"$slot\",\"slots\":1}"
        if [ "$slot" != 0 ]; then
            rm -rf "$(ts_slot_prefix "$slot")"
            cp -a "$WINEPREFIX" "$(ts_slot_prefix "$slot")"
        fi
    done
    set -- $displays
    {
        echo "export DISPLAY=:$1"
        echo "TS_SLOT_DISPLAYS=\"${displays# }\""
        echo "TS_XVFB_PIDS=\"${pids# }\""
    } > "$TS_SESSION"
    printf '{"version":{"major":1,"minor":0},"local":[{"wine":[%s]}]}\n' "$ids" > "$TS_RESOURCES"
    . "$TS_SESSION"
    local deskhold=$TS_ROOT/build/x86_64/bin/deskhold.exe
    set -- $TS_SLOT_DISPLAYS
    for slot in $(seq 0 $((slots - 1))); do
        (
            export WINEPREFIX DISPLAY
            WINEPREFIX=$(ts_slot_prefix "$slot")
            DISPLAY=:$1
            wineserver -p
            "$TS_WINE" wineboot </dev/null >/dev/null 2>&1
            # keep the desktop open for the whole session (see tools/deskhold.cpp)
            if [ -f "$deskhold" ]; then
                "$TS_WINE" "$deskhold" </dev/null >/dev/null 2>&1 &
            fi
        ) &
        shift
    done
    wait
}

stop() {
    local p
    for p in "$WINEPREFIX" "$WINEPREFIX"-[0-9]*; do
        [ -d "$p" ] || continue
        WINEPREFIX=$p wineserver -k >/dev/null 2>&1
        WINEPREFIX=$p wineserver -w >/dev/null 2>&1
    done
    if [ -f "$TS_SESSION" ]; then
        . "$TS_SESSION"
        [ -n "${TS_XVFB_PIDS:-}" ] && kill $TS_XVFB_PIDS 2>/dev/null
        rm -f "$TS_SESSION" "$TS_RESOURCES"
    fi
    return 0
}

case "${1:-}" in
    start) start "${2:-1}" ;;
    stop) stop ;;
    *) echo "usage: $0 start [SLOTS]|stop" >&2; exit 2 ;;
esac
