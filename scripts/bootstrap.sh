#!/usr/bin/env bash
# Installs what the build, the tests and the demo need on a fresh Debian machine.
# Idempotent: a machine that already has everything returns at once.
# Run as root.  wine32 (the 32-bit side of Wine) is optional: when it cannot be
# installed, the i686 build still happens and only the x86_64 tests run.
set -u
export DEBIAN_FRONTEND=noninteractive

PKGS64=(wine wine64 fonts-wine
        g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
        binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
        cmake make g++ googletest clang libclang-rt-14-dev llvm lld locales python3
        xvfb xauth x11-utils xdotool imagemagick ghostscript
        libxrender1 libxrandr2 libxi6 libxcursor1 libxfixes3 libxinerama1
        libxcomposite1 libxxf86vm1)

log() { echo "bootstrap: $*"; }

missing64() {
    local p
    for p in "${PKGS64[@]}"; do
        dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed' || echo "$p"
    done
}

have_wine32() {
    dpkg-query -W -f='${Status}\n' wine32:i386 2>/dev/null | grep -q '^install ok installed'
}

# True when this machine runs 32-bit x86 programs: a 96-byte i386 ELF that
# exits with 42.  Some kernels (and sandboxes) refuse them, and then the
# 32-bit Wine is of no use even where it installs.
runs_32bit() {
    local f
    f=$(mktemp) || return 1
    printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' > "$f"
    chmod +x "$f"
    "$f" 2>/dev/null
    local rc=$?
    rm -f "$f"
    [ "$rc" = 42 ]
}

updated=0
apt_update() {
    [ "$updated" = 1 ] && return 0
    apt-get update -qq >/dev/null 2>&1 || apt-get update
    updated=1
}

# The version-pinning route.  When the i386 index lags behind amd64 (a
# security update not yet published for i386), wine32's Multi-Arch: same
# libraries cannot match their installed amd64 twins.  Such a library goes
# back, on both architectures, to the newest version both offer, together
# with every installed package built from the same source at that version.
install_wine32_pinned() {
    local closure installed madison pins
    closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
                --no-breaks --no-replaces --no-enhances wine32:i386 2>/dev/null \
              | grep -v '^ ' | sed 's/:i386$//' | sort -u)
    # package version source, for the installed Multi-Arch: same packages
    installed=$(dpkg-query -W -f='${Package} ${Version} ${Multi-Arch} ${source:Package} ${Architecture}\n' \
                | awk '$3=="same" && $5!="i386" {print $1, $2, $4}')
    local names
    names=$(printf '%s\n' "$installed" | awk '{print $1}')
    madison=$(apt-cache madison $names $(printf '%s:i386 ' $names) 2>/dev/null \
              | awk -F'|' '{gsub(/ /,"",$1); sub(/:i386$/,"",$1); gsub(/ /,"",$2); print $1, $2, $3}')
    pins=$(awk -v closure="$closure" '
        BEGIN { n = split(closure, c, "\n"); for (i = 1; i <= n; i++) inclosure[c[i]] = 1 }
        FNR == NR { ver[$1] = $2; src[$1] = $3; next }            # installed
        { p = $1; v = $2; arch = ($0 ~ / i386 /) ? "i386" : (($0 ~ / amd64 /) ? "amd64" : "all")
          if (arch == "i386") have32[p, v] = 1; else if (arch == "amd64") have64[p, v] = 1
          vers[p] = vers[p] " " v }
        END {
          for (p in ver) {
            if (!(p in inclosure)) continue
            if (have32[p, ver[p]]) { print p ":i386=" ver[p]; continue }   # keep the twins equal
            best = ""
            m = split(vers[p], vs, " ")
            for (i = 1; i <= m; i++) if (have32[p, vs[i]] && have64[p, vs[i]]) { best = vs[i]; break }
            if (best == "") continue
            badsrc[src[p]] = best; oldver[src[p]] = ver[p]
          }
          for (p in ver) if ((src[p] in badsrc) && ver[p] == oldver[src[p]] && have64[p, badsrc[src[p]]]) {
            print p ":amd64=" badsrc[src[p]]
            if (have32[p, badsrc[src[p]]] && (p in inclosure)) print p ":i386=" badsrc[src[p]]
          }
        }' <(printf '%s\n' "$installed") <(printf '%s\n' "$madison"))
    log "pinning $(echo $pins | wc -w) packages for wine32"
    apt-get install -y -q --no-install-recommends --allow-downgrades \
        wine32:i386 $pins >/tmp/bootstrap-wine32.log 2>&1
}

m=$(missing64)
if [ -n "$m" ]; then
    log "installing: $(echo $m)"
    apt_update
    apt-get install -y -q --no-install-recommends $m >/tmp/bootstrap-64.log 2>&1 \
        || { tail -20 /tmp/bootstrap-64.log; log "package install failed"; exit 1; }
fi

if ! runs_32bit; then
    log "this machine does not run 32-bit x86 programs: no wine32, the i686 tests cannot run here"
elif ! have_wine32 && [ "${TS_NO_WINE32:-0}" != 1 ] && [ ! -e /var/lib/tscore32-no-wine32 ]; then
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
        updated=0
    fi
    apt_update
    log "installing wine32:i386"
    if ! apt-get install -y -q --no-install-recommends wine32:i386 >/tmp/bootstrap-wine32.log 2>&1; then
        log "plain wine32 install failed; trying the version-pinning route"
        install_wine32_pinned || true
    fi
    if have_wine32; then
        log "wine32 installed"
        # a -dev package the pinning may have pushed out must come back
        m=$(missing64); [ -n "$m" ] && apt-get install -y -q --no-install-recommends $m >/dev/null 2>&1
    else
        log "wine32 could not be installed here; i686 tests will not run (see /tmp/bootstrap-wine32.log)"
        touch /var/lib/tscore32-no-wine32
    fi
fi
exit 0
