#!/usr/bin/env bash
# Builds Ворнель's Debian package and installs it with apt: the program in the desktop menu with its icon,
# `man vornel`, and the software centre's description. Run it as root or through sudo; through sudo, only
# the installation runs as root and the build is the user's.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/as-user.sh"
"$root/tools/setup-debian.sh" run package
build=$root/build
as_user cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORNEL_TESTS=OFF -DVORNEL_BENCH=OFF \
    >/dev/null
as_user cmake --build "$build"
as_user rm -f "$build"/vornel_*.deb
(cd "$build" && as_user cpack -G DEB >/dev/null)
deb=$(ls "$build"/vornel_*.deb)

# apt reads a local package as its own unprivileged user, who may not enter the user's home.
shelf=$(mktemp -d)
trap 'rm -rf "$shelf"' EXIT
chmod 755 "$shelf"
install -m 644 "$deb" "$shelf/"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "$shelf/$(basename "$deb")"
echo "Installed $(basename "$deb"): start Ворнель from the desktop menu (Office) or with \`vornel\`; \`man vornel\` tells the rest."
