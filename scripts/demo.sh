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
# wait_file FILE [SECONDS]: true once FILE exists (the demo writes its files
# in one step); the waits are long because they end as soon as the demo is
# ready, and a loaded machine may need them
wait_file() {
    local i
    for i in $(seq $((${2:-60} * 10))); do [ -f "$1" ] && return 0; sleep 0.1; done
    return 1
}
for arch in x86_64 i686; do
    demo=build/$arch/bin/demo.exe
    [ -f "$demo" ] || continue
    [ "$arch" = i686 ] && [ "$TS_HAVE_WINE32" != 1 ] && continue
    for view in Customer Steel Pattern Tools FileOpen Browse; do
        rm -f "$out/$view.rect" "$out/$view.done"
        "$TS_WINE" "$demo" "$view" "Z:${out//\//\\}" &
        pid=$!
        if ! wait_file "$out/$view.rect"; then
            echo "demo: $view did not appear ($arch)"; status=1; kill $pid 2>/dev/null; continue
        fi
        read -r x y w h < <(tr -d "\r" < "$out/$view.rect")
        png=$out/$view-$arch.png
        import -window root -crop "${w}x${h}+${x}+${y}" +repage "$png"
        touch "$out/$view.done"
        wait $pid
        echo "demo: $png (${w}x${h})"
    done
done

# The Customer view modally, driven by real input: type a name into the
# first field, then end the view with the given key or a click on OK, and
# check what the program got back.
modal_run() {  # modal_run NAME FINISH(ok|Escape) EXPECTED-PREFIX
    local demo=build/x86_64/bin/demo.exe result pid x y w h ox oy ow oh typed try
    rm -f "$out"/Customer.{rect,result,active,typed}
    "$TS_WINE" "$demo" Customer "Z:${out//\//\\}" modal &
    pid=$!
    if wait_file "$out/Customer.rect"; then
        read -r x y w h ox oy ow oh < <(tr -d "\r" < "$out/Customer.rect")
        # activate the view with a click on its caption; the demo says when
        # it is active, then the name is typed and read back before the end
        for try in 1 2 3; do
            xdotool mousemove $((x + w / 2)) $((y + 5)) click 1
            wait_file "$out/Customer.active" 10 && break
        done
        xdotool type --delay 50 "$1"
        for _ in $(seq 600); do
            typed=$(tr -d "\r\n" < "$out/Customer.typed" 2>/dev/null)
            [ "$typed" = "$1" ] && break
            sleep 0.1
        done
        if [ "$2" = ok ]; then
            import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/Customer-modal-typed.png"
            xdotool mousemove $((ox + ow / 2)) $((oy + oh / 2)) click 1
        else
            xdotool key "$2"
        fi
    fi
    wait_file "$out/Customer.result"
    kill $pid 2>/dev/null
    wait $pid 2>/dev/null
    result=$(tr -d "\r" < "$out/Customer.result" 2>/dev/null)
    echo "demo: modal Customer ($2) ended with: ${result:-nothing}"
    case "$result" in
        "$3"*) ;;
        *) echo "demo: the scripted modal run ($2) did not end with '$3'"; status=1 ;;
    esac
}
modal_run Smith ok "1 Smith"
modal_run Jones Escape "0 "
rm -f "$out"/*.rect "$out"/*.done "$out"/*.result "$out"/*.active "$out"/*.typed
exit $status
