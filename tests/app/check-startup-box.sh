#!/usr/bin/env bash
# check-startup-box.sh PROGRAM
# The box the program shows at start-up when the print server refuses it, before the main window, as an X
# window manager sees it: the program's icon in each of its title-bar sizes, and a frame that offers to
# move and close it, never to minimise or maximise it. Runs on an X display of its own.
set -euo pipefail
program=$1
pid=""
cleanup() { [ -z "$pid" ] || kill "$pid" 2>/dev/null || true; }
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

CUPS_SERVER=127.0.0.1:9 "$program" &
pid=$!
box=$(timeout 30 xdotool search --sync --all --pid "$pid" --name '^Ворнель$' | head -1 || true)
[ -n "$box" ] || fail "no start-up error box"

icons=$(xprop -id "$box" -notype _NET_WM_ICON | { grep -oE 'Icon \([0-9]+ x [0-9]+\)' || true; } | tr '\n' ' ')
[ "$icons" = "Icon (16 x 16) Icon (24 x 24) Icon (32 x 32) Icon (48 x 48) " ] ||
    fail "the box's icon is not the program's: ${icons:-none}"

# Flags, functions, decorations...: the functions must leave out minimise (0x8) and maximise (0x10), and
# keep close (0x20), without the all-functions bit (0x1) that would turn the list into exclusions.
hints=$(xprop -id "$box" _MOTIF_WM_HINTS | sed -n 's/.* = //p')
IFS=', ' read -r flags functions _ <<<"$hints"
((flags & 0x1)) || fail "the box leaves its functions to the window manager: $hints"
((!(functions & 0x1) && !(functions & 0x8) && !(functions & 0x10) && (functions & 0x20))) ||
    fail "the box's frame offers more than move and close: $hints"
echo "start-up box: $icons; motif hints $hints"
