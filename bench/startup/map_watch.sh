#!/usr/bin/env bash
# Start-up as a user meets it: from exec to the X server's map of the main window, the program beside a bare
# Qt window of the same size showing a label with one line of Cyrillic, with and without an avahi-daemon on
# the machine; and the idle peak memory of each. The program's window over a print system answering from
# memory (InMemoryPrinters.cpp) is timed too: the difference to the program is what the print server costs.
#
#   bench/startup/map_watch.sh [BUILD-DIR]   BUILD-DIR defaults to build-bench, a Release build made here
#   RUNS=N                                   timed runs of each program in each state (default 30)
#   ALSO=PROGRAM                             another build of the program, timed beside them (say the one
#                                            before a change)
#   EXPLORE=COMMAND                          instead of timing, run COMMAND (through bash) in the prepared
#                                            setting without avahi-daemon, for a closer look
#
# Everything runs inside a network and mount namespace of its own: loopback only, a private /run, so the
# Avahi daemon's multicast never leaves the machine and the machine's own D-Bus and Avahi are not seen. In
# it: a private X display, a private D-Bus session bus, a private print server with three queues (the default
# one at 300 dpi with every margin different), and for the second half a private D-Bus system bus with an
# avahi-daemon on loopback that advertises one IPP printer which is no queue. map_watch (MapWatch.cpp) starts
# each program and times it to its window's map. One warm-up run of each, then the programs take turns.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=tests/cups/system_bus.sh
. "$root/tests/cups/system_bus.sh"

case "${1:-}" in
--namespace)
    # Inside the new namespaces: loopback with multicast, a private /run, then a private display.
    ip link set lo up
    ip link set lo multicast on
    mount -t tmpfs -o mode=755 tmpfs /run
    exec xvfb-run -a -s "-screen 0 1280x800x24 -noreset" "$0" --measure "$2"
    ;;
--measure) ;;
*)
    build=${1:-$root/build-bench}
    if [ $# -lt 1 ]; then
        "$root/tools/setup-debian.sh"
        cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORNEL_TESTS=OFF >/dev/null
    fi
    cmake --build "$build" --target map_watch bare_window vornel startup_vornel startup_in_memory >&2
    exec env -u PRINTER -u LPDEST -u CUPS_SERVER -u DBUS_SYSTEM_BUS_ADDRESS -u DBUS_SESSION_BUS_ADDRESS \
        unshare --net --mount --propagation private "$0" --namespace "$build"
    ;;
esac

build=$2
runs=${RUNS:-30}
watch="$build/bench/startup/map_watch"
bare="$build/bench/startup/bare_window"
program="$build/app/vornel"
cupsd="$root/tests/cups/cupsd.sh"
work=$(mktemp -d /tmp/vornel-map.XXXXXX)
chmod 755 "$work" # the print server's filters run as another user and must reach its folder
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
    done
    "$cupsd" stop "$work/cups" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

# The print server: three queues, the default one at 300 dpi with unequal margins.
"$cupsd" start "$work/cups" 631 >/dev/null
"$cupsd" add-queue "$work/cups" Bench pdf >/dev/null 2>&1
"$cupsd" add-queue "$work/cups" Margins pdf 300dpi >/dev/null 2>&1
"$cupsd" add-queue "$work/cups" Postscript ps >/dev/null 2>&1
# 20 mm left, 12 mm bottom, 5 mm right, 8 mm top of the A4 sheet.
ppd="$work/cups/conf/ppd/Margins.ppd"
sed 's|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: "56.69 34.02 580.83 819.32"|' "$ppd" >"$work/margins.ppd"
HOME="$work/cups/client" CUPS_SERVER=$(cat "$work/cups/server") CUPS_SERVERROOT="$work/cups/client" \
    lpadmin -p Margins -P "$work/margins.ppd" 2>/dev/null
"$cupsd" set-default "$work/cups" Margins
while read -r assignment; do export "${assignment?}"; done < <("$cupsd" env "$work/cups")

# A session bus as on every desktop, so that the toolkit's accessibility bridge finds one, as it would there,
# instead of trying to launch one. It activates no services: nothing is left behind.
mkdir -p /run/dbus
cat >/run/dbus/session.conf <<'EOF'
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=/run/dbus/session_bus_socket</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
dbus-daemon --config-file=/run/dbus/session.conf --nofork --nopidfile 2>"$work/session-bus.log" &
pids+=($!)
for _ in $(seq 50); do
    [ -S /run/dbus/session_bus_socket ] && break
    sleep 0.1
done
export DBUS_SESSION_BUS_ADDRESS=unix:path=/run/dbus/session_bus_socket

# An error box before the window would make the measure another path than the ordinary start.
"$build/app/startup_vornel" || {
    echo "the program's start was not the ordinary one (exit $?)" >&2
    exit 1
}

if [ -n "${EXPLORE:-}" ]; then
    bash -c "$EXPLORE"
    exit
fi

# The programs timed, by the names their figures are kept under.
# The program's window over a print system answering from memory shows what the print server costs the start.
declare -A path=([bare]="$bare" [program]="$program" [memory]="$build/bench/startup/startup_in_memory")
who=(bare program memory)
if [ -n "${ALSO:-}" ]; then
    path[also]=$ALSO
    who+=(also)
fi
declare -A label=([bare]="bare window" [program]="Ворнель" [memory]="Ворнель, printers in memory, no libcups"
    [also]="Ворнель, ${ALSO:-}")

# One state: a warm-up run of each, then RUNS rounds, the programs in turn; the map times go to
# $work/STATE-NAME.
measure() { # state
    local i w
    for w in "${who[@]}"; do "$watch" 0 "${path[$w]}" >/dev/null; done
    for i in $(seq "$runs"); do
        for w in "${who[@]}"; do "$watch" 0 "${path[$w]}" | cut -d' ' -f1 >>"$work/$1-$w"; done
    done
}
# Idle peak memory: each program mapped and left alone for two seconds, the largest of three.
idle_peak() { # state
    local i w
    for i in 1 2 3; do
        for w in "${who[@]}"; do "$watch" 2000 "${path[$w]}" | cut -d' ' -f2 >>"$work/$1-$w-kb"; done
    done
}

# Resident kilobytes of each file a program maps, two seconds after it started: PROGRAM OUT-FILE.
resident_by_file() {
    "$1" >/dev/null 2>&1 &
    local pid=$!
    sleep 2
    awk '/^[0-9a-f]+-[0-9a-f]+ / { file = (NF >= 6) ? $6 : "[anonymous]" } /^Rss:/ { kb[file] += $2 }
        END { for (f in kb) printf "%d %s\n", kb[f], f }' "/proc/$pid/smaps" | sort -k2 >"$2"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}

measure plain
idle_peak plain
resident_by_file "$program" "$work/files-program"
resident_by_file "${path[memory]}" "$work/files-memory"
# The two programs' own files are one file to compare.
sed -i -E "s|^([0-9]+) .*/${program##*/}\$|\1 [program]|" "$work/files-program"
sed -i -E "s|^([0-9]+) .*/${path[memory]##*/}\$|\1 [program]|" "$work/files-memory"
sort -k2 -o "$work/files-program" "$work/files-program"
sort -k2 -o "$work/files-memory" "$work/files-memory"

# A private D-Bus system bus and an avahi-daemon on loopback, both in the private /run.
mkdir -p /run/avahi/services
write_system_bus_config /run/dbus/system.conf /run/dbus/system_bus_socket
dbus-daemon --config-file=/run/dbus/system.conf --nofork --nopidfile 2>"$work/dbus.log" &
pids+=($!)
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/run/dbus/system_bus_socket
cat >/run/avahi/avahi-daemon.conf <<'EOF'
[server]
use-ipv4=yes
use-ipv6=no
allow-interfaces=lo
enable-dbus=yes
[wide-area]
enable-wide-area=no
[publish]
publish-hinfo=no
publish-workstation=no
EOF
# A network printer that only DNS-SD knows, as on an office network.
cat >/run/avahi/services/printer.service <<'EOF'
<?xml version="1.0" standalone='no'?>
<!DOCTYPE service-group SYSTEM "avahi-service.dtd">
<service-group>
  <name>Office Laser</name>
  <service>
    <type>_ipp._tcp</type>
    <subtype>_universal._sub._ipp._tcp</subtype>
    <port>631</port>
    <txt-record>txtvers=1</txt-record>
    <txt-record>rp=ipp/print</txt-record>
    <txt-record>ty=Office Laser</txt-record>
    <txt-record>pdl=application/pdf,image/urf</txt-record>
    <txt-record>URF=W8,SRGB24,CP1,RS300</txt-record>
  </service>
</service-group>
EOF
mount --bind /run/avahi/services /etc/avahi/services
for _ in $(seq 50); do
    [ -S /run/dbus/system_bus_socket ] && break
    sleep 0.1
done
avahi-daemon -f /run/avahi/avahi-daemon.conf --no-chroot --no-rlimits >"$work/avahi.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    avahi-daemon -c 2>/dev/null && grep -q 'Server startup complete' "$work/avahi.log" && break
    sleep 0.1
done
grep -q 'Server startup complete' "$work/avahi.log" || {
    echo "avahi-daemon did not come up:" >&2
    cat "$work/avahi.log" >&2
    exit 1
}
sleep 1 # its first announcements

measure avahi
idle_peak avahi

# Median, least and most of a file of numbers, one a line.
stats() { sort -n "$1" | awk '{ v[NR] = $1 } END { printf "%s %s %s\n", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2, v[1], v[NR] }'; }

echo "Exec to the main window's map, $runs rounds; idle peak resident memory"
for state in plain avahi; do
    [ $state = plain ] && echo "  without avahi-daemon:" || echo "  with avahi-daemon (one network printer advertised):"
    read -r _ _ bare_kb < <(stats "$work/$state-bare-kb")
    bare_median=$(stats "$work/$state-bare" | cut -d' ' -f1)
    for w in "${who[@]}"; do
        read -r median least most < <(stats "$work/$state-$w")
        read -r _ _ kb < <(stats "$work/$state-$w-kb")
        awk -v m="$median" -v l="$least" -v h="$most" -v k="$kb" -v bm="$bare_median" -v bk="$bare_kb" \
            -v name="${label[$w]}" -v bare=$([ $w = bare ] && echo 1 || echo 0) 'BEGIN {
            printf "    median %6.1f ms  min %6.1f ms  max %6.1f ms  peak %5.1f MB  %s\n", m, l, h, k / 1024, name
            if (!bare)
                printf "      %.2fx the bare window (goal 1.15x); peak memory %+.1f MB (goal within 5 MB)\n",
                    m / bm, (k - bk) / 1024
        }'
    done
done

# What the program maps beyond the same window over printers in memory: the print system's module and the
# libraries it brings. Files both map are compared by their resident size.
echo "Resident beyond the window over printers in memory, two seconds after the start (without avahi-daemon):"
join -1 2 -2 2 -a 1 -e 0 -o 0,1.1,2.1 "$work/files-program" "$work/files-memory" |
    awk '$1 !~ /^\[anon|^\[heap|^\[stack/ && $2 - $3 >= 64 { printf "    %6d kB  %s%s\n", $2 - $3, $1, $3 ? " (more of it resident)" : ""; sum += $2 - $3 }
         $1 ~ /^\[anon|^\[heap|^\[stack/ { anon += $2 - $3 }
         END { printf "    %6d kB  in all, from files; %+d kB not from files (heap, stacks)\n", sum, anon }'
