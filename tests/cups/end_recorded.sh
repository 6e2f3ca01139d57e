# shellcheck shell=sh
# Sourced by the scripts of the tests' servers (cupsd.sh, ippeve.sh).

# end_recorded PIDFILE NAME: ends the process whose PID the file holds, if it still runs and still is NAME
# (a PID the system gave to another program since is left alone); killed outright after five seconds.
end_recorded() {
    [ -f "$1" ] || return 0
    pid=$(cat "$1")
    [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "$2" ] || return 0
    kill "$pid" 2>/dev/null || return 0
    tries=0
    while kill -0 "$pid" 2>/dev/null; do
        tries=$((tries + 1))
        if [ $tries -gt 50 ]; then
            kill -9 "$pid" 2>/dev/null || true
            break
        fi
        sleep 0.1
    done
}
