#!/usr/bin/env bash
# Builds Ворнель and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup-debian.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORNEL_TESTS=OFF -DVORNEL_BENCH=OFF >/dev/null
cmake --build "$root/build" --target vornel
exec "$root/build/app/vornel"
