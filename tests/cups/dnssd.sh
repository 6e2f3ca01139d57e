#!/bin/sh
# A private DNS-SD network with one driverless network printer that no queue knows, for the tests.
#
#   dnssd.sh run COMMAND [ARG...]   runs COMMAND in the setting and exits with its status
#
# Run it as root. It re-executes itself in a network and mount namespace of its own: loopback only, with
# multicast, and a private /run holding a D-Bus system bus and an avahi-daemon on lo that publishes none of
# the machine's services. On it: the IPP Everywhere printer Eve (ippeve.sh's printer, but registered over
# DNS-SD), taking PWG raster only and keeping every job's raster; a private CUPS server (cupsd.sh) with the
# queues Alpha (default) and Beta and none for Eve. COMMAND starts once the server lists Eve, with
#   CUPS_SERVER, CUPS_SERVERROOT, HOME   the private server's client environment (cupsd.sh env)
#   DBUS_SYSTEM_BUS_ADDRESS              the private system bus, on which avahi-daemon answers
#   VORNEL_EVE_JOBS                      the folder where Eve keeps the raster of each job
#   VORNEL_CUPSD, VORNEL_CUPSD_DIR       cupsd.sh and the server's folder, to change its queues
#   QT_QPA_PLATFORM=offscreen
# Everything is stopped and removed afterwards, also when COMMAND fails or a signal ends the run.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/cups/system_bus.sh
. "$here/system_bus.sh"
# The status a caller reads as "this machine cannot make the setting": not root, or no namespaces.
cannot=77

usage() {
    awk 'NR > 1 && /^#/ { print; next } NR > 1 { exit }' "$0" >&2
    exit 2
}

case ${1:-} in
run)
    [ $# -ge 2 ] || usage
    if [ "$(id -u)" -ne 0 ]; then
        echo "dnssd.sh must run as root" >&2
        exit $cannot
    fi
    unshare --net --mount --propagation private true 2>/dev/null || {
        echo "dnssd.sh: unshare refused a network and mount namespace" >&2
        exit $cannot
    }
    shift
    exec env -u PRINTER -u LPDEST -u CUPS_SERVER -u DBUS_SYSTEM_BUS_ADDRESS \
        unshare --net --mount --propagation private "$0" --inside "$@"
    ;;
--inside) shift ;;
*) usage ;;
esac

ip link set lo up
ip link set lo multicast on
mount -t tmpfs -o mode=755 tmpfs /run

work=$(mktemp -d /tmp/vornel-dnssd.XXXXXX)
chmod 755 "$work" # the print server's filters run as lp and must reach its folder
bus_pid=
avahi_pid=
eve_pid=
cleanup() {
    status=$?
    trap - EXIT INT TERM HUP
    "$here/cupsd.sh" stop "$work/cups" >/dev/null 2>&1 || true
    for pid in $eve_pid $avahi_pid $bus_pid; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
    exit $status
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
    echo "dnssd.sh: $1" >&2
    for log in "$work"/*.log "$work/cups/log/error_log"; do
        [ -s "$log" ] && { echo "--- $log" >&2; cat "$log" >&2; }
    done
    exit 1
}

# wait_for TENTHS CONDITION...: true once CONDITION holds, false after TENTHS tenths of a second.
wait_for() {
    tries=$1
    shift
    until "$@"; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || return 1
        sleep 0.1
    done
}

mkdir -p /run/dbus /run/avahi/services
write_system_bus_config /run/dbus/system.conf /run/dbus/system_bus_socket
dbus-daemon --config-file=/run/dbus/system.conf --nofork --nopidfile 2>"$work/dbus.log" &
bus_pid=$!
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/run/dbus/system_bus_socket
wait_for 50 test -S /run/dbus/system_bus_socket || fail "the system bus did not come up"

cat >/run/avahi/avahi-daemon.conf <<'CONF'
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
CONF
# The machine's own services stay unpublished.
mount --bind /run/avahi/services /etc/avahi/services
avahi-daemon -f /run/avahi/avahi-daemon.conf --no-chroot --no-rlimits >"$work/avahi.log" 2>&1 &
avahi_pid=$!
avahi_up() { grep -q 'Server startup complete' "$work/avahi.log"; }
wait_for 100 avahi_up || fail "avahi-daemon did not come up"

# -c: each job ends as soon as it is received; -k keeps its raster.
mkdir -m 755 "$work/eve"
ippeveprinter -k -d "$work/eve" -p 8631 -f image/pwg-raster -c /bin/true Eve \
    </dev/null >"$work/eve.log" 2>&1 &
eve_pid=$!
eve_up() { ipptool -q ipp://localhost:8631/ipp/print get-printer-attributes.test 2>/dev/null; }
wait_for 100 eve_up || fail "ippeveprinter did not come up on port 8631"

"$here/cupsd.sh" start "$work/cups" 631 >/dev/null || fail "the private cupsd did not start"
"$here/cupsd.sh" add-queue "$work/cups" Alpha >/dev/null 2>&1 || fail "cannot add the queue Alpha"
"$here/cupsd.sh" add-queue "$work/cups" Beta >/dev/null 2>&1 || fail "cannot add the queue Beta"
"$here/cupsd.sh" set-default "$work/cups" Alpha
for assignment in $("$here/cupsd.sh" env "$work/cups"); do export "${assignment?}"; done

eve_listed() { lpstat -e 2>/dev/null | grep -qx Eve; }
wait_for 150 eve_listed || fail "lpstat -e did not list Eve within 15 s"

export VORNEL_EVE_JOBS="$work/eve" VORNEL_CUPSD="$here/cupsd.sh" VORNEL_CUPSD_DIR="$work/cups" \
    QT_QPA_PLATFORM=offscreen
status=0
"$@" || status=$?
exit $status
