#!/usr/bin/env bash
# weston-run.sh COMMAND...
# Runs COMMAND as a client of a headless Wayland compositor (weston, 1280 x 800) of its own, with no X
# display, so a program can only show its windows as a native Wayland client. The compositor's log goes
# to $WESTON_LOG when it is set. Ends with COMMAND's status.
set -euo pipefail
runtime=$(mktemp -d /tmp/vornel-weston.XXXXXX)
chmod 700 "$runtime"
weston=""
cleanup() {
    [ -z "$weston" ] || kill "$weston" 2>/dev/null || true
    [ -z "$weston" ] || wait "$weston" 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT
log=${WESTON_LOG:-$runtime/weston.log}
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=vornel-wayland --width=1280 \
    --height=800 --idle-time=0 --log="$log" </dev/null >/dev/null 2>&1 &
weston=$!
for _ in $(seq 100); do
    [ -S "$runtime/vornel-wayland" ] && break
    kill -0 "$weston" 2>/dev/null || break
    sleep 0.1
done
[ -S "$runtime/vornel-wayland" ] || {
    echo "weston did not start:" >&2
    cat "$log" >&2
    exit 1
}
status=0
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=vornel-wayland QT_QPA_PLATFORM=wayland "$@" || status=$?
exit "$status"
