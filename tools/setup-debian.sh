#!/usr/bin/env bash
# setup-debian.sh [--list] [SECTION...]
# Installs the Debian packages of the named sections of tools/debian-packages.txt (every section when none is
# named) that are missing; needs root, or sudo, when something is missing. --list only prints them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
list=""
if [ "${1:-}" = --list ]; then
  list=yes
  shift
fi
packages=$(awk -v sections="$*" '
    BEGIN { n = split(sections, list, " "); for (i = 1; i <= n; i++) named[list[i]] = 0 }
    /^\[[a-z]+\]$/ { section = substr($0, 2, length($0) - 2); if (section in named) named[section] = 1; next }
    /^[[:space:]]*(#|$)/ { next }
    !n || ((section in named) && named[section]) { print $1 }
    END { for (s in named) if (!named[s]) { print "setup-debian.sh: no section [" s "]" > "/dev/stderr"; exit 1 } }
' "$here/debian-packages.txt")
mapfile -t wanted <<<"$packages"
if [ -n "$list" ]; then
  printf '%s\n' "${wanted[@]}"
  exit
fi
missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
