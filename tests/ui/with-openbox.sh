#!/usr/bin/env bash
# with-openbox.sh COMMAND...
# Runs COMMAND on the current X display under a window manager of its own (openbox), which frames,
# minimises and restores windows as on a desktop. Ends with COMMAND's status.
set -euo pipefail
config=$(mktemp -d /tmp/vornel-openbox.XXXXXX)
wm=""
cleanup() {
    [ -z "$wm" ] || kill "$wm" 2>/dev/null || true
    [ -z "$wm" ] || wait "$wm" 2>/dev/null || true
    rm -rf "$config"
}
trap cleanup EXIT
XDG_CONFIG_HOME=$config XDG_CACHE_HOME=$config HOME=$config openbox --sm-disable >/dev/null 2>&1 &
wm=$!
# The window manager is there once it names itself on the root window.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    kill -0 "$wm" 2>/dev/null || break
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || {
    echo "openbox did not start" >&2
    exit 1
}
status=0
"$@" || status=$?
exit "$status"
