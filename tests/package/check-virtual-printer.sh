#!/usr/bin/env bash
# check-virtual-printer.sh PROGRAM [--as-another-user]
# A newcomer's first print: the try-out script starts the program against its virtual printer, the Print
# button is pressed, and each press must leave one PDF envelope page in ~/Vornel-PDF/. Closing the program
# must stop the print server. Runs on an X display of its own: the keys must reach this program alone.
# With --as-another-user, run as root, the script is run as sudo leaves it for a system account made for the
# run (no password, removed at the end): the program and the PDF files must be that user's. The checkout may
# be closed to other users (a home folder), so the user runs a copy of the program from a folder of the
# test's own.
set -euo pipefail
program=$1 user=""
root=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
export HOME=$scratch/home
# A session's runtime folder, as sudo would keep it; without one Qt makes one in the temporary folder.
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
home=$HOME
try=""
made_user=""
cleanup() {
    [ -z "$try" ] || kill "$try" 2>/dev/null || true
    if [ -n "$made_user" ]; then
        pkill -KILL -u "$user" 2>/dev/null || true
        userdel "$user" 2>/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
if [ "${2:-}" = --as-another-user ]; then
    [ "$(id -u)" -eq 0 ] || {
        echo "SKIP: only root can run the script as sudo leaves it for another user"
        exit 77
    }
    user=vornel-try-$$
    home=$scratch/$user
    useradd --system --no-create-home --home-dir "$home" --shell /usr/sbin/nologin "$user"
    made_user=yes
    chmod 755 "$scratch"
    mkdir -m 700 "$home"
    chown "$user:" "$home" "$XDG_RUNTIME_DIR"
    mkdir "$scratch/bin"
    cp "$program" "$(dirname "$program")/vornel-cups.so" "$scratch/bin/"
    chmod -R a+rX "$scratch/bin"
    program=$scratch/bin/$(basename "$program")
    runuser -u "$user" -- test -x "$program" || {
        echo "SKIP: $user cannot run a program in $scratch (a temporary folder mounted noexec?)"
        exit 77
    }
    # The display's key, as the user's own session would have it.
    install -o "$user" -m 600 "$XAUTHORITY" "$home/.Xauthority"
    export XAUTHORITY=$home/.Xauthority SUDO_USER=$user
fi
out="$home/Vornel-PDF"
fail() {
    echo "FAIL: $*" >&2
    cat "$HOME/try.log" >&2 || true
    exit 1
}

"$root/tools/try-with-virtual-printer.sh" "$program" >"$HOME/try.log" 2>&1 &
try=$!
for _ in $(seq 100); do
    if [ -n "$user" ]; then
        vornel=$(pgrep -u "$user" -x vornel || true)
    else
        vornel=$(pgrep -P "$try" -x vornel || true)
    fi
    [ -z "$vornel" ] || break
    sleep 0.2
done
[ -n "$vornel" ] || fail "the script did not start the program"
[ -z "$user" ] || [ "$(ps -o uid= -p "$vornel" | tr -d ' ')" = "$(id -u "$user")" ] ||
    fail "the program runs as uid $(ps -o uid= -p "$vornel"), not $user's"
# As long as a start under the sanitizers may take on a machine busy with the rest of the suite.
window=$(timeout 90 xdotool search --sync --all --pid "$vornel" --name '^Ворнель \[light\] 1\.13$' | head -1) || true
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
[ -z "$user" ] || [ "$(stat -c %u "$out")" = "$(id -u "$user")" ] || fail "$out belongs to uid $(stat -c %u "$out")"
for pdf in "$out"/*.pdf; do
    [ -z "$user" ] || [ "$(stat -c %u "$pdf")" = "$(id -u "$user")" ] || fail "$pdf belongs to uid $(stat -c %u "$pdf")"
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
