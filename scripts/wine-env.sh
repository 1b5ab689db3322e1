# Sourced by the scripts that run Windows programs: one private Wine prefix
# inside the build tree, quiet, without the .NET and HTML installers, and the
# display of the running test session when there is one.
#
# TS_WINE is the loader to run programs with.  The 32-bit side counts only
# when this machine can actually run it (some kernels refuse 32-bit
# programs even where wine32 installs); otherwise 64-bit programs go straight
# to the 64-bit loader.
TS_ROOT=${TS_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$TS_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winhlp32.exe=d;winedbg.exe=d"
# Programs run in C.UTF-8 (ANSI code page 1252).  A test program may ask
# for another locale with TS_LANG (code page 932 from ja_JP.UTF-8, say); the
# session compiles the locales this machine lacks into build/locale.
export LANG=${TS_LANG:-C.UTF-8}
if [ -n "${TS_LANG:-}" ]; then export LOCPATH=$TS_ROOT/build/locale; fi
export CUPS_SERVER=/nonexistent.sock
if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    TS_HAVE_WINE32=1
    TS_WINE=wine
else
    TS_HAVE_WINE32=0
    TS_WINE=/usr/lib/wine/wine64
    export WINELOADER=$TS_WINE
fi
TS_SESSION=$TS_ROOT/build/session.env
# the CTest resource file of the session: one "wine" slot per Wine session
TS_RESOURCES=$TS_ROOT/build/session-resources.json
# ts_slot_prefix N: the prefix of session slot N (slot 0 is the prefix itself)
ts_slot_prefix() {
    if [ "$1" = 0 ]; then echo "$WINEPREFIX"; else echo "$WINEPREFIX-$1"; fi
}
if [ -f "$TS_SESSION" ]; then . "$TS_SESSION"; fi
