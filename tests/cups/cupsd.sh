#!/bin/sh
# A private CUPS server for the tests, isolated from the machine's own print system.
#
#   cupsd.sh start DIR PORT          fresh server in DIR (wiped first) on 127.0.0.1:PORT; prints
#                                    CUPS_SERVER=127.0.0.1:PORT. Run it as root: the server drops to user lp.
#   cupsd.sh stop DIR                stops the server started in DIR by its PID, removes the accounts
#                                    made for it and DIR; the spare server (DIR-spare) and the driverless
#                                    printer (DIR-ippeve) of a run cut short go with it
#   cupsd.sh add-queue DIR NAME [FORMAT [DPI [PAPER]]]
#                                    adds an enabled queue printing to DIR/out/NAME.out on A4 paper;
#                                    FORMAT is pdf (default), ps, or pdf-minus90 (the pdf model with a
#                                    driver that turns landscape pages clockwise); DPI such as 300dpi or
#                                    600x300dpi becomes the queue's default resolution, - keeps the model's;
#                                    PAPER (A4, Letter, A5, A6) becomes its default paper
#   cupsd.sh add-everywhere DIR NAME URI [DPI]
#                                    adds an enabled driverless queue for the IPP Everywhere printer at URI,
#                                    on A4 paper; DPI such as 300dpi becomes its default resolution
#   cupsd.sh delete-queue DIR NAME
#   cupsd.sh delete-all DIR          removes every queue
#   cupsd.sh set-default DIR NAME    the server's default queue
#   cupsd.sh env DIR                 prints the client environment: CUPS_SERVER, CUPS_SERVERROOT, HOME
#   cupsd.sh require-password DIR USER [OPERATION...]
#                                    makes USER a system account for this server, with the password read
#                                    from standard input, and has the server ask for a user's password
#                                    (HTTP Basic, checked by PAM) before it creates a job, or before the IPP
#                                    operations named. An account the server did not make is never touched.
#
# Clients reach the server with CUPS_SERVER=127.0.0.1:PORT. The client variables that `env` prints keep
# the machine's client.conf and lpoptions out, and give a fresh HOME without a ~/.cups; unset PRINTER and
# LPDEST as well. ctest runs start and stop around the tests that need the server (PrivateCups.cmake), and
# the tests drive it through PrivateCups.h.
set -eu
# shellcheck source=tests/cups/end_recorded.sh
. "$(dirname "$0")/end_recorded.sh"

usage() {
    awk 'NR > 1 && /^#/ { print; next } NR > 1 { exit }' "$0" >&2
    exit 2
}

[ $# -ge 2 ] || usage
cmd=$1
dir=$2
shift 2

server() { cat "$dir/server"; }

# The script's own client settings: no user's lpoptions, whoever runs it.
lpadmin_here() { HOME="$dir/client" CUPS_SERVER=$(server) CUPS_SERVERROOT="$dir/client" lpadmin "$@"; }
lpstat_here() { HOME="$dir/client" CUPS_SERVER=$(server) CUPS_SERVERROOT="$dir/client" lpstat "$@"; }

write_config() {
    port=$1
    cat >"$dir/conf/cupsd.conf" <<EOF
LogLevel warn
Listen 127.0.0.1:$port
Listen $dir/cups.sock
Browsing Off
WebInterface No
DefaultAuthType None
MaxJobs 0
PreserveJobFiles No
PreserveJobHistory No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
EOF
    cat >"$dir/conf/cups-files.conf" <<EOF
User lp
Group lp
SystemGroup root
FileDevice Yes
ServerRoot $dir/conf
CacheDir $dir/cache
StateDir $dir/state
RequestRoot $dir/spool
TempDir $dir/spool/tmp
Printcap $dir/state/printcap
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
EOF
}

start() {
    [ $# -eq 1 ] || usage
    port=$1
    # A run that was cut short leaves its server and accounts behind.
    end_server
    remove_accounts
    rm -rf "$dir"
    mkdir -p "$dir/conf/ppd" "$dir/conf/ssl" "$dir/cache" "$dir/state" "$dir/spool/tmp" "$dir/log" \
        "$dir/out" "$dir/client" "$dir/home"
    # Filters and backends run as lp: they must reach the folders and write the output files.
    chmod 755 "$dir" "$dir/conf" "$dir/conf/ppd" "$dir/cache" "$dir/state" "$dir/log" "$dir/client" "$dir/home"
    chmod 1777 "$dir/out" "$dir/spool" "$dir/spool/tmp"
    write_config "$port"
    echo "127.0.0.1:$port" >"$dir/server"

    setsid cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" \
        </dev/null >"$dir/log/cupsd.out" 2>&1 &
    pid=$!
    echo "$pid" >"$dir/cupsd.pid"

    tries=0
    # lpstat -r succeeds either way; only its words tell.
    until [ "$(LC_ALL=C lpstat_here -r 2>/dev/null)" = "scheduler is running" ]; do
        tries=$((tries + 1))
        if ! kill -0 "$pid" 2>/dev/null || [ $tries -gt 100 ]; then
            echo "cupsd did not come up on 127.0.0.1:$port" >&2
            cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
            kill "$pid" 2>/dev/null || true
            exit 1
        fi
        sleep 0.1
    done
    echo "CUPS_SERVER=127.0.0.1:$port"
}

# Ends the server recorded in DIR, if it still runs: by its PID, and only if that PID is still a cupsd.
end_server() {
    end_recorded "$dir/cupsd.pid" cupsd
}

# The accounts made for the server in DIR, each removed only if it is still the one made (same uid).
remove_accounts() {
    [ -f "$dir/accounts" ] || return 0
    while read -r name uid; do
        [ "$(id -u "$name" 2>/dev/null)" != "$uid" ] || userdel "$name" >/dev/null 2>&1 || true
    done <"$dir/accounts"
    rm -f "$dir/accounts"
}

stop() {
    end_server
    remove_accounts
    rm -rf "$dir"
    case $dir in
    *-spare | *-ippeve) ;;
    *)
        [ ! -d "$dir-spare" ] || "$0" stop "$dir-spare"
        [ ! -d "$dir-ippeve" ] || "$(dirname "$0")/ippeve.sh" stop "$dir-ippeve"
        ;;
    esac
}

add_queue() {
    [ $# -ge 1 ] || usage
    name=$1
    format=${2:-pdf}
    dpi=${3:-}
    [ "$dpi" != - ] || dpi=
    paper=${4:-A4}
    case $format in
    pdf | pdf-minus90) model=lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd ;;
    ps) model=drv:///sample.drv/generic.ppd ;;
    *) usage ;;
    esac
    case $paper in
    A4) media=iso_a4_210x297mm ;;
    Letter) media=na_letter_8.5x11in ;;
    A5) media=iso_a5_148x210mm ;;
    A6) media=iso_a6_105x148mm ;;
    *) usage ;;
    esac
    lpadmin_here -p "$name" -E -v "file://$dir/out/$name.out" -m "$model" \
        -o PageSize="$paper" -o media-default="$media"
    if [ "$format" = pdf-minus90 ]; then
        ppd="$dir/conf/ppd/$name.ppd"
        sed -i 's|^\*LandscapeOrientation:.*|*LandscapeOrientation: Minus90|' "$ppd"
        grep -q '^\*LandscapeOrientation: Minus90' "$ppd"
        lpadmin_here -p "$name" -P "$ppd"
    fi
    if [ -n "$dpi" ]; then
        # A resolution the model lacks, such as 600x300dpi, is added to the queue's own copy of its PPD.
        ppd="$dir/conf/ppd/$name.ppd"
        if ! grep -q '^\*DefaultResolution:' "$ppd"; then
            printf '*OpenUI *Resolution/Resolution: PickOne\n*OrderDependency: 100 AnySetup *Resolution\n*DefaultResolution: %s\n*CloseUI: *Resolution\n' \
                "$dpi" >>"$ppd"
        fi
        if ! grep -q "^\*Resolution $dpi/" "$ppd"; then
            sed -i "s|^\*DefaultResolution:.*|&\n*Resolution $dpi/$dpi: \"\"|" "$ppd"
        fi
        sed -i "s|^\*DefaultResolution:.*|*DefaultResolution: $dpi|" "$ppd"
        lpadmin_here -p "$name" -P "$ppd"
    fi
}

# Job creation, or the operations named, behind a password; the server is started afresh on its own folder
# and keeps its queues.
require_password() {
    [ $# -ge 1 ] || usage
    if ! grep -q "^$1 " "$dir/accounts" 2>/dev/null; then
        if id "$1" >/dev/null 2>&1; then
            echo "the account $1 exists and was not made for this server: not touched" >&2
            exit 1
        fi
        useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$1"
        echo "$1 $(id -u "$1")" >>"$dir/accounts"
    fi
    # The password comes on standard input: a command line is there for anyone to read.
    IFS= read -r password
    printf '%s:%s\n' "$1" "$password" | chpasswd
    operations="Create-Job Print-Job Print-URI Validate-Job"
    [ $# -gt 1 ] && operations=$(shift && echo "$*")
    awk -v operations="$operations" '/^DefaultAuthType/ { print "DefaultAuthType Basic"; next } { print }
    /<Policy default>/ {
        print "  <Limit " operations ">"
        print "    AuthType Basic"
        print "    Require valid-user"
        print "  </Limit>"
    }' "$dir/conf/cupsd.conf" >"$dir/conf/cupsd.conf.new"
    mv "$dir/conf/cupsd.conf.new" "$dir/conf/cupsd.conf"
    end_server
    setsid cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" \
        </dev/null >>"$dir/log/cupsd.out" 2>&1 &
    echo $! >"$dir/cupsd.pid"
    tries=0
    until [ "$(LC_ALL=C lpstat_here -r 2>/dev/null)" = "scheduler is running" ]; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ]; then
            echo "cupsd did not come back with the password policy" >&2
            cat "$dir/log/error_log" >&2 2>/dev/null || true
            exit 1
        fi
        sleep 0.1
    done
}

# A driverless queue: CUPS makes its PPD from what the printer itself reports.
add_everywhere() {
    [ $# -ge 2 ] || usage
    lpadmin_here -p "$1" -E -v "$2" -m everywhere
    # The made-up PPD defaults to Letter.
    lpadmin_here -p "$1" -o media-default=iso_a4_210x297mm
    if [ -n "${3:-}" ]; then
        lpadmin_here -p "$1" -o printer-resolution-default="$3"
    fi
}

case $cmd in
start) start "$@" ;;
require-password) require_password "$@" ;;
stop) stop ;;
add-queue) add_queue "$@" ;;
add-everywhere) add_everywhere "$@" ;;
delete-queue)
    [ $# -eq 1 ] || usage
    lpadmin_here -x "$1"
    ;;
delete-all)
    for q in $(lpstat_here -e 2>/dev/null); do lpadmin_here -x "$q"; done
    ;;
set-default)
    [ $# -eq 1 ] || usage
    lpadmin_here -d "$1"
    ;;
env)
    echo "CUPS_SERVER=$(server)"
    echo "CUPS_SERVERROOT=$dir/client"
    echo "HOME=$dir/home"
    ;;
*) usage ;;
esac
