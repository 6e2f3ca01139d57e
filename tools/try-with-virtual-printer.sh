#!/usr/bin/env bash
# Builds Ворнель and starts it against a private print server whose only, default printer is virtual: every
# envelope printed on it lands as a PDF file in ~/Vornel-PDF/. The server listens on loopback only, lives as
# long as the program and is gone when it closes; the machine's own printers and print server are not used.
# Run through sudo, the server is root's and the rest the user's: the build, the program and the PDF files.
#
#   tools/try-with-virtual-printer.sh            build, then run the program
#   tools/try-with-virtual-printer.sh PROGRAM    run an already built or installed program instead
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cupsd="$root/tests/cups/cupsd.sh"
. "$root/tools/as-user.sh"
queue=Vornel_PDF
home=$(user_home)
out="$home/Vornel-PDF"

if [ $# -ge 1 ]; then
    program=$1
else
    "$root/tools/setup-debian.sh" run try
    as_user cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORNEL_TESTS=OFF \
        -DVORNEL_BENCH=OFF >/dev/null
    as_user cmake --build "$root/build" --target vornel
    program="$root/build/app/vornel"
fi
as_user mkdir -p "$out"

server_dir=$(mktemp -d /tmp/vornel-try.XXXXXX)
saver=""
cleanup() {
    [ -z "$saver" ] || kill -- "-$saver" 2>/dev/null || true
    "$cupsd" stop "$server_dir" || true
    rm -rf "$server_dir"
}
trap cleanup EXIT

# A free port is found by trying: the server refuses to come up on a taken one.
started=""
for _ in 1 2 3 4 5; do
    port=$((30000 + RANDOM % 20000))
    if "$cupsd" start "$server_dir" "$port" >/dev/null 2>&1; then
        started=yes
        break
    fi
done
[ -n "$started" ] || {
    echo "The private print server did not start." >&2
    exit 1
}
mapfile -t client_env < <("$cupsd" env "$server_dir")

# The queue writes each job into a pipe; the saver below reads one job per opening, so jobs printed in quick
# succession still become files of their own.
"$cupsd" add-queue "$server_dir" "$queue" pdf 2>&1 >/dev/null | { grep -v 'drivers are deprecated' >&2 || true; }
"$cupsd" set-default "$server_dir" "$queue"
pipe="$server_dir/out/jobs"
mkfifo -m 666 "$pipe"
env "${client_env[@]}" lpadmin -p "$queue" -v "file://$pipe" -D "PDF в $out"

# The PDF printer wraps its PDF in printer job language; only the PDF is kept. The saver runs in a process
# group of its own so that stopping it also stops the read it waits in.
setsid "${as_user[@]}" bash -c '
    pipe=$1 out=$2
    while :; do
        cat "$pipe" >"$pipe.job"
        [ -s "$pipe.job" ] || continue
        name="$out/envelope-$(date +%Y-%m-%d-%H%M%S).pdf"
        n=1
        while [ -e "$name" ]; do
            n=$((n + 1))
            name="$out/envelope-$(date +%Y-%m-%d-%H%M%S)-$n.pdf"
        done
        perl -0777 -ne "print \$1 if /(%PDF-.*%%EOF\\r?\\n?)/s" "$pipe.job" >"$name.part"
        mv "$name.part" "$name"
        echo "Printed: $name"
    done' saver "$pipe" "$out" &
saver=$!

echo "Print server 127.0.0.1:$port: virtual printer $queue is the default; what you print on it goes to $out/"
# The client variables only for the program: its own print server and its default printer, whatever the
# user's client settings say.
as_user env -u LPDEST "${client_env[@]}" HOME="$home" PRINTER="$queue" "$program" || true
