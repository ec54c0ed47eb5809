#!/usr/bin/env bash
# The program runs natively on a Wayland compositor: started with only
# WAYLAND_DISPLAY set, it opens its window through Qt's Wayland plugin (its
# title and a committed surface go over the wire) and keeps running.
# Exit 77 (skipped) when weston or Qt's Wayland plugin is not installed.
set -u
program=$1
command -v weston >/dev/null || { echo "weston is not installed"; exit 77; }
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
    { echo "qt6-wayland is not installed"; exit 77; }

runtime=$(mktemp -d)
chmod 700 "$runtime"
socket=efficiency-test-$$
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket="$socket" \
    --width=1280 --height=1024 >"$runtime/weston.log" 2>&1 &
weston=$!
trap 'kill $weston 2>/dev/null; wait $weston 2>/dev/null; rm -rf "$runtime"' EXIT
for _ in $(seq 50); do
    [ -S "$runtime/$socket" ] && break
    sleep 0.1
done
[ -S "$runtime/$socket" ] || { echo "weston did not start:"; cat "$runtime/weston.log"; exit 1; }

env -u DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" \
    WAYLAND_DEBUG=1 LANG=hu_HU.UTF-8 timeout 4 "$program" >/dev/null 2>"$runtime/wire.log"
status=$?
if [ $status -ne 124 ]; then
    echo "the program ended with status $status instead of running:"
    grep -v '^\[' "$runtime/wire.log" | head -20
    exit 1
fi
grep -q 'xdg_toplevel@[0-9]*\.set_title("Helitra - Efficiency")' "$runtime/wire.log" ||
    { echo "no Wayland toplevel titled \"Helitra - Efficiency\""; exit 1; }
grep -q 'xdg_toplevel@[0-9]*\.set_app_id("hu.helitra.Efficiency")' "$runtime/wire.log" ||
    { echo "the app id does not name the desktop entry"; exit 1; }
grep -q 'wl_surface@[0-9]*\.commit()' "$runtime/wire.log" ||
    { echo "no surface was committed"; exit 1; }
echo "ran on Wayland for 4 s"
