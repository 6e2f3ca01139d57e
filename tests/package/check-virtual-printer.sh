#!/usr/bin/env bash
# check-virtual-printer.sh PROGRAM
# A newcomer's first print: the try-out script starts the program against its virtual printer, the Print
# button is pressed, and each press must leave one PDF envelope page in ~/Vornel-PDF/. Closing the program
# must stop the print server. Runs on an X display of its own: the keys must reach this program alone.
set -euo pipefail
program=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
export HOME
HOME=$(mktemp -d)
out="$HOME/Vornel-PDF"
try=""
cleanup() {
    [ -z "$try" ] || kill "$try" 2>/dev/null || true
    rm -rf "$HOME"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    cat "$HOME/try.log" >&2 || true
    exit 1
}

"$root/tools/try-with-virtual-printer.sh" "$program" >"$HOME/try.log" 2>&1 &
try=$!
for _ in $(seq 100); do
    vornel=$(pgrep -P "$try" -x vornel || true)
    [ -z "$vornel" ] || break
    sleep 0.2
done
[ -n "$vornel" ] || fail "the script did not start the program"
window=$(timeout 30 xdotool search --sync --all --pid "$vornel" --name '^Ворнель \[light\] 1\.13$' | head -1)
[ -n "$window" ] || fail "no main window"
server=$(sed -n 's/^Print server \([0-9.:]*\):.*/\1/p' "$HOME/try.log")
[ -n "$server" ] || fail "the script named no print server"

# The printer list has the focus at start; two tabs reach the Print button.
xdotool windowfocus --sync "$window"
xdotool key Tab Tab
for press in 1 2; do
    xdotool key space
    for _ in $(seq 150); do
        [ "$(find "$out" -name '*.pdf' | wc -l)" -lt "$press" ] || break
        sleep 0.2
    done
    [ "$(find "$out" -name '*.pdf' | wc -l)" -eq "$press" ] || fail "press $press left no PDF of its own in $out"
done
for pdf in "$out"/*.pdf; do
    file -b "$pdf" | grep -q '^PDF document' || fail "$pdf is $(file -b "$pdf")"
    pdfinfo "$pdf" | grep -qE '^Pages: +1$' || fail "$pdf is not one page"
    # Not a blank page: the envelope's lines leave ink.
    ink=$(pdftoppm -r 100 -gray "$pdf" | convert - -format '%[fx:minima<0.9]' info:)
    [ "$ink" = 1 ] || fail "$pdf is a blank page"
done

kill "$vornel"
timeout 20 tail --pid="$try" -f /dev/null || fail "the script did not end with the program"
try=""
! CUPS_SERVER=$server lpstat -r 2>/dev/null | grep -q "is running" || fail "the print server at $server outlived the program"
echo "virtual printer: $(ls "$out")"
