#!/usr/bin/env bash
# check-package.sh BUILD-DIR CUPSD-SCRIPT CUPSD-DIR
# Installs the build into a scratch root, builds the Debian package, checks both, and starts the program from
# the package's files against the private print server.
set -euo pipefail
build=$1 cupsd=$2 cupsd_dir=$3
scratch=$(mktemp -d)
program=""
bus_pid=""
# The program ends even if it is stopped or does not heed a request to end.
end_program() {
    kill -CONT "$program" 2>/dev/null || return 0
    kill "$program" 2>/dev/null || true
    for _ in $(seq 50); do
        kill -0 "$program" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "$program" 2>/dev/null || true
}
cleanup() {
    [ -z "$program" ] || end_program
    [ -z "$bus_pid" ] || kill "$bus_pid" 2>/dev/null || true
    "$cupsd" delete-queue "$cupsd_dir" vornel_package >/dev/null 2>&1 || true
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Path in the root, and what file(1) must say of it.
expected=(
    "usr/bin/vornel|ELF 64-bit LSB"
    "usr/lib/vornel/vornel-cups.so|ELF 64-bit LSB shared object"
    "usr/share/applications/vornel.desktop|text"
    "usr/share/metainfo/vornel.metainfo.xml|XML"
    "usr/share/icons/hicolor/16x16/apps/vornel.png|PNG image data, 16 x 16, 8-bit/color RGBA"
    "usr/share/icons/hicolor/24x24/apps/vornel.png|PNG image data, 24 x 24, 8-bit/color RGBA"
    "usr/share/icons/hicolor/32x32/apps/vornel.png|PNG image data, 32 x 32, 8-bit/color RGBA"
    "usr/share/icons/hicolor/48x48/apps/vornel.png|PNG image data, 48 x 48, 8-bit/color RGBA"
    "usr/share/icons/hicolor/256x256/apps/vornel.png|PNG image data, 256 x 256, 8-bit/color RGBA"
    "usr/share/man/man1/vornel.1.gz|gzip compressed data"
    "usr/share/man/ru/man1/vornel.1.gz|gzip compressed data"
)
# What the package must ask dpkg for: the toolkit, the print client, the window system plug-in and the fonts.
needed=(libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins libcups2 fonts-wine fonts-liberation2)

check_root() { # root-dir, what
    local root=$1 what=$2 row path kind
    for row in "${expected[@]}"; do
        path=${row%%|*} kind=${row#*|}
        [ -f "$root/$path" ] || fail "$what: $path missing"
        file -b "$root/$path" | grep -qF "$kind" || fail "$what: $path is $(file -b "$root/$path"), not $kind"
    done
    [ -x "$root/usr/bin/vornel" ] || fail "$what: usr/bin/vornel is not executable"
    # Nothing beyond the list: no build-tree or test files slip into a user's system.
    local extra
    extra=$(cd "$root" && find . -type f | sed 's|^\./||' | sort |
        grep -vxF -f <(printf '%s\n' "${expected[@]%%|*}") || true)
    [ -z "$extra" ] || fail "$what: unexpected files: $extra"

    local desktop=$root/usr/share/applications/vornel.desktop
    desktop-file-validate "$desktop" || fail "$what: desktop-file-validate rejects the entry"
    appstreamcli validate --no-net "$root/usr/share/metainfo/vornel.metainfo.xml" ||
        fail "$what: appstreamcli rejects the metainfo"
    # The entry and the description must name what was installed beside them.
    grep -qx "Name=Vornel" "$desktop" && grep -qx "Name\[ru\]=Ворнель" "$desktop" ||
        fail "$what: entry is not named Vornel, and Ворнель in Russian"
    grep -qx 'Exec=vornel' "$desktop" || fail "$what: entry's Exec is not the bare program"
    grep -qx 'Icon=vornel' "$desktop" || fail "$what: entry's Icon is not the installed icon"
    grep -qE '^Categories=(.*;)?Office;' "$desktop" || fail "$what: entry is not in Office"
    grep -qF '<launchable type="desktop-id">vornel.desktop</launchable>' \
        "$root/usr/share/metainfo/vornel.metainfo.xml" || fail "$what: metainfo does not launch the entry"

    # man finds each language's page by name where it was installed, as `man -L<language> vornel` does; it
    # renders without a warning and describes every option the program itself lists in that language.
    local entry language folder found manual warnings option
    for entry in "en|man1" "ru|ru/man1"; do
        language=${entry%%|*}
        folder=${entry#*|}
        found=$(MANPATH="$root/usr/share/man" man -L "$language" -w vornel) ||
            fail "$what: man -L $language -w vornel finds no page"
        [ "$found" = "$root/usr/share/man/$folder/vornel.1.gz" ] ||
            fail "$what: man -L $language -w vornel finds $found"
        manual=$(MANWIDTH=100 MANPATH="$root/usr/share/man" man -L "$language" vornel 2>"$scratch/man-warnings") ||
            fail "$what: man -L $language cannot show the manual page"
        warnings=$(cat "$scratch/man-warnings")
        [ -z "$warnings" ] || fail "$what: the $language manual page warns: $warnings"
        for option in $(env -u DISPLAY LANGUAGE="$language" "$root/usr/bin/vornel" --help | grep -oE -- '--[a-z-]+' | sort -u); do
            [ "$option" = --help-all ] && continue
            grep -qF -- "$option" <<<"$manual" || fail "$what: the $language manual page does not describe $option"
        done
    done
}

DESTDIR="$scratch/install" cmake --install "$build" --prefix /usr >/dev/null
check_root "$scratch/install" "cmake --install"

(cd "$build" && cpack -G DEB -B "$scratch/deb" >/dev/null)
deb=$(ls "$scratch"/deb/vornel_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for package in "${needed[@]}"; do
    grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "package does not depend on $package: $depends"
done
# Every dependency is a real Debian package: here they are all installed, or the program could not run.
for package in $(sed 's/([^)]*)//g; s/,/ /g' <<<"$depends"); do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        fail "dependency $package is not an installed Debian package"
done
# Recommended, not needed: the native Wayland window, the toolkit's dialogs in Russian, a print server.
recommends=$(dpkg-deb -f "$deb" Recommends)
for package in qt6-wayland qt6-translations-l10n cups; do
    grep -qE "(^|, )$package( |,|$)" <<<"$recommends" || fail "package does not recommend $package: $recommends"
done
# No configuration files: removing the package leaves nothing of it, no "rc" entry.
! dpkg-deb -I "$deb" conffiles >/dev/null 2>&1 || fail "the package has conffiles: $(dpkg-deb -I "$deb" conffiles)"
# apt can install it as it stands: every dependency resolves (a simulation; nothing is installed).
apt-get install --simulate -qq "$deb" >"$scratch/apt.log" 2>&1 || fail "apt would not install it: $(cat "$scratch/apt.log")"
listed=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./||' | sort)
[ "$listed" = "$(printf '%s\n' "${expected[@]%%|*}" | sort)" ] || fail "package contents differ: $listed"
dpkg-deb -x "$deb" "$scratch/deb-root"
check_root "$scratch/deb-root" "package"

# Started from the package's files, with a default printer on the private server, the program opens its
# window and stays up.
"$cupsd" add-queue "$cupsd_dir" vornel_package >/dev/null
"$cupsd" set-default "$cupsd_dir" vornel_package >/dev/null
# A desktop session's own bus: without one the toolkit's accessibility has libdbus launch a bus for the
# display, which can wait for ever on one that a test before launched under another HOME.
dbus-daemon --session --fork --nopidfile --print-address=3 --print-pid=4 3>"$scratch/bus" 4>"$scratch/bus.pid"
bus_pid=$(cat "$scratch/bus.pid")
export DBUS_SESSION_BUS_ADDRESS
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$scratch/bus")
if [ -n "${DISPLAY:-}" ] && command -v xdotool >/dev/null; then
    # As a desktop's launcher starts it: no terminal.
    setsid "$scratch/deb-root/usr/bin/vornel" </dev/null &
    program=$!
    # Generous: at the end of the suite under the sanitizers, every start is slow.
    timeout 60 xdotool search --sync --all --pid "$program" --name '^Ворнель \[light\] 1\.13$' >/dev/null || {
        shown=$(for w in $(xdotool search --pid "$program" --name . 2>/dev/null); do xdotool getwindowname "$w"; done)
        # Where it waits, for whoever reads the failure.
        ps -L -o pid,lwp,stat,wchan:32,comm -p "$program" >&2 || true
        ! command -v gdb >/dev/null ||
            timeout 60 gdb -p "$program" -batch -ex 'thread apply all bt 12' 2>/dev/null | grep -E '^(Thread|#)' >&2 || true
        fail "the installed program showed no main window; its windows: ${shown:-none}"
    }
else
    QT_QPA_PLATFORM=offscreen setsid "$scratch/deb-root/usr/bin/vornel" </dev/null &
    program=$!
    sleep 2
fi
kill -0 "$program" 2>/dev/null || fail "the installed program ended at start-up"

# The command line of the package's program works without a display: the printer list, and a PDF.
listed=$(env -u DISPLAY -u QT_QPA_PLATFORM "$scratch/deb-root/usr/bin/vornel" --list-printers) ||
    fail "--list-printers failed"
grep -qx 'vornel_package (по умолчанию)' <<<"$listed" || fail "--list-printers does not mark the default: $listed"
env -u DISPLAY -u QT_QPA_PLATFORM "$scratch/deb-root/usr/bin/vornel" --pdf "$scratch/envelope.pdf" ||
    fail "--pdf failed without a display"
file -b "$scratch/envelope.pdf" | grep -q '^PDF document' || fail "--pdf wrote no PDF"
echo "package: $(basename "$deb"): $depends"
