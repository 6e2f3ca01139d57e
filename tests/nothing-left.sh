#!/usr/bin/env bash
# What a run of the tests leaves behind:
#
#   nothing-left.sh before STATE CHECKOUT  notes the accounts, the temporary folder, HOME's folders (outside
#                                          CHECKOUT) and the processes in the empty folder STATE
#   nothing-left.sh after STATE CHECKOUT   fails, naming them, if an account or group, a file in the temporary
#                                          folder or in HOME, or a process of the tests is there now that was
#                                          not before
#
# tools/test.sh runs it around the whole suite. A process of the tests is one of the servers and programs the
# tests start, or any process that names the checkout or the temporary folder.
set -euo pipefail
[ $# -eq 3 ] || {
    awk 'NR > 1 && /^#/ { print; next } NR > 1 { exit }' "$0" >&2
    exit 2
}
cmd=$1 state=$2 checkout=$3
tmp=${TMPDIR:-/tmp}

accounts() { { getent passwd | sed 's/^/account /'; getent group | sed 's/^/group /'; } | cut -d: -f1 | sort; }
# The X server's socket folder stays for any X server to come, as the system's own does.
temporary() {
    find "$tmp" -mindepth 1 -maxdepth 1 ! -path "$state" ! -path "$tmp/.X11-unix" ! -path "$tmp/.ICE-unix" | sort
}
# HOME's own entries and the folders where programs keep settings, caches and data; the compiler cache and a
# checkout in HOME are the build's.
in_home() {
    {
        find "$HOME" -mindepth 1 -maxdepth 1
        for d in .config .cache .local .cups; do
            [ ! -d "$HOME/$d" ] || find "$HOME/$d" -maxdepth 3 \( -name ccache -o -path "$checkout" \) -prune -o -print
        done
    } 2>/dev/null | grep -v -e "^$checkout\(/\|$\)" -e "^${CCACHE_DIR:-$HOME/.ccache}\(/\|$\)" | sort -u || true
}
processes() { ps -e -o pid= | tr -d ' ' | sort; }

case $cmd in
before)
    accounts >"$state/accounts"
    temporary >"$state/temporary"
    in_home >"$state/home"
    processes >"$state/processes"
    ;;
after)
    self=$(ps -o args= -p $$)
    left=$(
        comm -13 "$state/accounts" <(accounts)
        comm -13 "$state/temporary" <(temporary) | sed 's/^/file /'
        comm -13 "$state/home" <(in_home) | sed 's/^/file /'
        for pid in $(comm -13 "$state/processes" <(processes)); do
            args=$(ps -o args= -p "$pid" 2>/dev/null) || continue
            [ "$args" != "$self" ] || continue
            comm=$(ps -o comm= -p "$pid" 2>/dev/null) || continue
            case $comm in
            cupsd | ippeveprinter | Xvfb | weston | dbus-daemon | avahi-daemon | vornel | test_*) ;;
            *) case $args in *"$checkout/"* | *"$tmp/"*) ;; *) continue ;; esac ;;
            esac
            echo "process $pid $args"
        done
    )
    if [ -n "$left" ]; then
        echo "The tests left behind:" >&2
        echo "$left" >&2
        exit 1
    fi
    echo "The tests left no account, file or process behind."
    ;;
*) exit 2 ;;
esac
