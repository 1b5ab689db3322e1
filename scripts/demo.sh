#!/usr/bin/env bash
# Runs the demo application on a private Xvfb display and writes a PNG of
# each of its views under build/screenshots/.
set -u
TS_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$TS_ROOT"
out=$TS_ROOT/build/screenshots
mkdir -p "$out"
trap 'bash scripts/wine-session.sh stop' EXIT
bash scripts/wine-session.sh start
. scripts/wine-env.sh
status=0
for arch in x86_64 i686; do
    demo=build/$arch/bin/demo.exe
    [ -f "$demo" ] || continue
    [ "$arch" = i686 ] && [ "$TS_HAVE_WINE32" != 1 ] && continue
    for view in Customer Steel Pattern; do
        rm -f "$out/$view.rect" "$out/$view.done"
        "$TS_WINE" "$demo" "$view" "Z:${out//\//\\}" &
        pid=$!
        for _ in $(seq 100); do [ -f "$out/$view.rect" ] && break; sleep 0.1; done
        if [ ! -f "$out/$view.rect" ]; then
            echo "demo: $view did not appear ($arch)"; status=1; kill $pid 2>/dev/null; continue
        fi
        read -r x y w h < "$out/$view.rect"
        png=$out/$view-$arch.png
        import -window root -crop "${w}x${h}+${x}+${y}" +repage "$png"
        touch "$out/$view.done"
        wait $pid
        echo "demo: $png (${w}x${h})"
    done
done
rm -f "$out"/*.rect "$out"/*.done
exit $status
