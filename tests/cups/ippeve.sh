#!/bin/sh
# A driverless (IPP Everywhere) printer for the tests, on loopback only.
#
#   ippeve.sh start DIR PORT NAME   fresh printer NAME in DIR (wiped first) on localhost:PORT, taking PWG raster
#                                   and keeping every job's raster in DIR/jobs; prints its URI
#   ippeve.sh stop DIR              stops the printer and its message bus by their PIDs and removes DIR
#
# The printer will not start without a DNS-SD service; a message bus of its own (a socket in DIR) stands in
# for the system's, and with registration off nothing is advertised.
set -eu
# shellcheck source=tests/cups/end_recorded.sh
. "$(dirname "$0")/end_recorded.sh"
# shellcheck source=tests/cups/system_bus.sh
. "$(dirname "$0")/system_bus.sh"

usage() {
    awk 'NR > 1 && /^#/ { print; next } NR > 1 { exit }' "$0" >&2
    exit 2
}

[ $# -ge 2 ] || usage
cmd=$1
dir=$2
shift 2

stop() {
    end_recorded "$dir/printer.pid" ippeveprinter
    end_recorded "$dir/bus.pid" dbus-daemon
    rm -rf "$dir"
}

start() {
    [ $# -eq 2 ] || usage
    port=$1
    name=$2
    stop
    mkdir -p "$dir/jobs"
    write_system_bus_config "$dir/bus.conf" "$dir/bus"
    dbus-daemon --config-file="$dir/bus.conf" --fork --print-pid >"$dir/bus.pid"
    # -c: each job ends as soon as it is received; -k keeps its raster.
    DBUS_SYSTEM_BUS_ADDRESS="unix:path=$dir/bus" setsid ippeveprinter -k -d "$dir/jobs" -n localhost \
        -p "$port" -f image/pwg-raster -c /bin/true -r off "$name" </dev/null >"$dir/printer.log" 2>&1 &
    echo $! >"$dir/printer.pid"
    tries=0
    until ipptool -q "ipp://localhost:$port/ipp/print" get-printer-attributes.test 2>/dev/null; do
        tries=$((tries + 1))
        if ! kill -0 "$(cat "$dir/printer.pid")" 2>/dev/null || [ $tries -gt 100 ]; then
            echo "ippeveprinter did not come up on localhost:$port" >&2
            cat "$dir/printer.log" >&2 || true
            stop
            exit 1
        fi
        sleep 0.1
    done
    echo "ipp://127.0.0.1:$port/ipp/print"
}

case $cmd in
start) start "$@" ;;
stop) stop ;;
*) usage ;;
esac
