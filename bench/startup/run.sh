#!/usr/bin/env bash
# Start-up to the first painted window, and peak memory: the program beside a bare Qt window of the same
# client size, timed in one hyperfine run on a private X display, against a private print server whose
# default printer makes the start the ordinary one (no error box).
#
#   bench/startup/run.sh [BUILD-DIR]    BUILD-DIR defaults to build-bench, a Release build made here
#   RUNS=N                              timed runs of each (default 40)
#
# The timed programs are the program's own main and the bare window, each linked with QuitOnFirstPaint.cpp,
# which ends the event loop once the first window has painted: the figure is exec to first paint plus an
# orderly exit. Peak memory is also taken of the real program, idle and after printing one envelope.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)

if [ "${1:-}" != --measure ]; then
    build=${1:-$root/build-bench}
    if [ $# -lt 1 ]; then
        "$root/tools/setup-debian.sh"
        cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORNEL_TESTS=OFF >/dev/null
    fi
    cmake --build "$build" --target startup_vornel startup_bare vornel
    exec env -u PRINTER -u LPDEST -u CUPS_SERVER xvfb-run -a -s "-screen 0 1280x800x24" "$0" --measure "$build"
fi
build=$2
runs=${RUNS:-40}
bare="$build/bench/startup/startup_bare"
program="$build/app/startup_vornel"
real="$build/app/vornel"
cupsd="$root/tests/cups/cupsd.sh"
work=$(mktemp -d /tmp/vornel-startup.XXXXXX)
chmod 755 "$work" # the print server's filters run as another user and must reach its folder
cleanup() {
    "$cupsd" stop "$work/cups" || true
    rm -rf "$work"
}
trap cleanup EXIT

for _ in 1 2 3 4 5; do
    "$cupsd" start "$work/cups" $((30000 + RANDOM % 20000)) >/dev/null 2>&1 && break
done
"$cupsd" add-queue "$work/cups" Bench pdf >/dev/null 2>&1
"$cupsd" set-default "$work/cups" Bench
while read -r assignment; do export "${assignment?}"; done < <("$cupsd" env "$work/cups")

"$program" || {
    echo "the program's start was not the ordinary one (exit $?)" >&2
    exit 1
}

hyperfine -N --warmup 5 --runs "$runs" --export-csv "$work/times.csv" \
    -n "bare window" "$bare" -n "Ворнель" "$program" >&2

# Peak resident set of a start to the first paint, the largest of ten.
peak_to_first_paint() {
    local most=0 kb
    for _ in $(seq 10); do
        kb=$(/usr/bin/time -f %M "$1" 2>&1 >/dev/null | tail -1)
        ((kb > most)) && most=$kb
    done
    echo "$most"
}
bare_kb=$(peak_to_first_paint "$bare")
program_kb=$(peak_to_first_paint "$program")

# The real program: peak while it stands idle, and after one envelope printed from the keyboard.
run_real() { # print?
    local log=$work/time.log watcher vornel window
    rm -f "$work/cups/out/Bench.out"
    /usr/bin/time -o "$log" -f %M "$real" 2>/dev/null &
    watcher=$!
    for _ in $(seq 100); do
        vornel=$(pgrep -P "$watcher" -x vornel || true)
        [ -z "$vornel" ] || break
        sleep 0.1
    done
    window=$(timeout 20 xdotool search --sync --all --pid "$vornel" --name '^Ворнель \[light\] 1\.13$' | head -1)
    sleep 1
    if [ "$1" = print ]; then
        xdotool windowfocus --sync "$window"
        sleep 0.5
        xdotool key Tab Tab space
        for _ in $(seq 300); do
            [ -s "$work/cups/out/Bench.out" ] && break
            sleep 0.2
        done
        if [ ! -s "$work/cups/out/Bench.out" ]; then
            echo "the envelope was not printed within a minute; the screen: /tmp/vornel-startup-not-printed.png" >&2
            import -window root /tmp/vornel-startup-not-printed.png 2>/dev/null || true
        fi
        sleep 1
    fi
    kill "$vornel"
    wait "$watcher" || true
    tail -1 "$log"
}
idle_kb=$(run_real idle)
print_kb=$(run_real print)

awk -F, -v bare_kb="$bare_kb" -v program_kb="$program_kb" -v idle_kb="$idle_kb" -v print_kb="$print_kb" '
    NR == 1 { next }
    { median[$1] = $4; min[$1] = $7; mean[$1] = $2; cpu[$1] = $5 + $6 }
    END {
        peak["bare window"] = bare_kb; peak["Ворнель"] = program_kb
        split("bare window|Ворнель", names, "|")
        print "To first paint: median, min, mean, cpu (user+sys); peak resident memory"
        for (i = 1; i <= 2; i++) {
            n = names[i]
            printf "  %7.1f ms %7.1f ms %7.1f ms %7.1f ms %6.1f MB  %s\n", median[n] * 1e3, min[n] * 1e3,
                mean[n] * 1e3, cpu[n] * 1e3, peak[n] / 1024, n
        }
        printf "Ворнель / bare window, medians: %.2fx (goal 1.5x)\n", median["Ворнель"] / median["bare window"]
        printf "Ворнель running, peak: idle %.1f MB, after printing an envelope %.1f MB (goal 45 MB)\n",
            idle_kb / 1024, print_kb / 1024
    }' "$work/times.csv"
