#!/bin/sh
# Records the answer target's seeds from real servers on loopback: an IPP Everywhere printer and the private
# CUPS server's queues (A4, Letter, A5, a driver turning pages clockwise, several resolutions), and their
# refusals (a queue that is not there, a password not given). Run as root from a fuzz build:
#   tests/fuzz/record-corpus.sh BUILD-FUZZ-DIR
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
record="$1/tests/fuzz/record_answer"
out="$root/tests/fuzz/corpus/ipp_answer"
work=$(mktemp -d)
cups="$work/cups"
printer="$work/printer"
user=vornel-fuzz
made_user=
cleanup() {
    [ -z "$made_user" ] || userdel "$user" 2>/dev/null || true
    "$root/tests/cups/cupsd.sh" stop "$cups" >/dev/null 2>&1 || true
    "$root/tests/cups/ippeve.sh" stop "$printer" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM
chmod 755 "$work"

cport=$((20000 + $$ % 10000))
pport=$((cport + 1))
mkdir -p "$out"
uri=$("$root/tests/cups/ippeve.sh" start "$printer" "$pport" Everywhere)
"$record" "$uri" "$out/everywhere-printer.ipp"

"$root/tests/cups/cupsd.sh" start "$cups" "$cport" >/dev/null
add() { "$root/tests/cups/cupsd.sh" add-queue "$cups" "$@"; }
add A4 pdf 300dpi A4
add Letter pdf 600dpi Letter
add A5 pdf 300dpi A5
add Minus90 pdf-minus90 300dpi A4
add Unequal pdf 600x300dpi A4
add PostScript ps - A4
"$root/tests/cups/cupsd.sh" add-everywhere "$cups" Driverless "$uri" 300dpi
for queue in A4 Letter A5 Minus90 Unequal PostScript Driverless; do
    name=$(echo "$queue" | tr '[:upper:]' '[:lower:]')
    "$record" "ipp://127.0.0.1:$cport/printers/$queue" "$out/cupsd-$name.ipp"
done
"$record" "ipp://127.0.0.1:$cport/printers/Gone" "$out/cupsd-refused-no-such-queue.ipp"
id "$user" >/dev/null 2>&1 || made_user=1
"$root/tests/cups/cupsd.sh" require-password "$cups" "$user" "$(head -c 12 /dev/urandom | base64)" \
    Get-Printer-Attributes
"$record" "ipp://127.0.0.1:$cport/printers/A4" "$out/cupsd-refused-password.ipp"
