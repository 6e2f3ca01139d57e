#!/usr/bin/env bash
# check-wayland-program.sh PROGRAM CUPSD-SCRIPT CUPSD-DIR
# The program itself under a headless Wayland compositor with no X display: its protocol log must show it
# as a native Wayland client (xdg-shell toplevels, no X connection possible), with its title and app id, the
# start-up error box over a refused print server, and the main window over the private server.
set -euo pipefail
program=$1 cupsd=$2 cupsd_dir=$3
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
cleanup() {
    "$cupsd" delete-queue "$cupsd_dir" vornel_wayland >/dev/null 2>&1 || true
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# run-until LOG PATTERN ENV...: runs the program under the compositor with the client's protocol log in LOG,
# until the log matches PATTERN; then stops it. The program must still be running then.
run_until() {
    local log=$1 pattern=$2
    shift 2
    cat >"$scratch/client.sh" <<SCRIPT
#!/usr/bin/env bash
env WAYLAND_DEBUG=client $* "$program" 2>"$log" &
pid=\$!
for _ in \$(seq 300); do
    grep -qE '$pattern' "$log" && break
    kill -0 \$pid 2>/dev/null || break
    sleep 0.1
done
kill -0 \$pid 2>/dev/null || { echo "the program ended" >&2; exit 1; }
grep -qE '$pattern' "$log" || { echo "no match for $pattern" >&2; exit 1; }
kill \$pid
SCRIPT
    chmod +x "$scratch/client.sh"
    "$here/weston-run.sh" "$scratch/client.sh"
}

# A refused server: the error box comes first, captioned with the program's name, and is a Wayland toplevel.
run_until "$scratch/refused.log" 'xdg_toplevel@[0-9]+\.set_title\("Ворнель"\)' CUPS_SERVER=127.0.0.1:9 ||
    fail "no error box under Wayland: $(tail -5 "$scratch/refused.log")"
grep -qE 'xdg_toplevel@[0-9]+\.set_app_id\("vornel"\)' "$scratch/refused.log" || fail "the error box has no app id"
grep -qE 'wl_registry@[0-9]+\.bind\([0-9]+, "xdg_wm_base"' "$scratch/refused.log" ||
    fail "the program did not bind the compositor's xdg_wm_base"

# The private server with a default queue: the main window, with its title and app id.
"$cupsd" add-queue "$cupsd_dir" vornel_wayland >/dev/null
"$cupsd" set-default "$cupsd_dir" vornel_wayland >/dev/null
run_until "$scratch/window.log" 'xdg_toplevel@[0-9]+\.set_title\("Ворнель \[light\] 1\.13"\)' ||
    fail "no main window under Wayland: $(tail -5 "$scratch/window.log")"
grep -qE 'xdg_toplevel@[0-9]+\.set_app_id\("vornel"\)' "$scratch/window.log" || fail "the main window has no app id"
# No start-up error on the way: the main window is the only toplevel.
[ "$(grep -cE -- '-> xdg_surface@[0-9]+\.get_toplevel' "$scratch/window.log")" -eq 1 ] ||
    fail "more than one toplevel at start-up"
echo "wayland program: error box and main window are native Wayland toplevels"
