#!/usr/bin/env bash
# Builds Ворнель and starts it, with only the packages building and running need. Run through sudo, only the
# package installation runs as root: the build and the program are the user's.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/as-user.sh"
"$root/tools/setup-debian.sh" run
as_user cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORNEL_TESTS=OFF -DVORNEL_BENCH=OFF \
    >/dev/null
as_user cmake --build "$root/build" --target vornel
as_user "$root/build/app/vornel"
