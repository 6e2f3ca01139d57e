#!/usr/bin/env bash
# Process start to file written: `vornel --pdf` beside cdlabelgen writing its envelope (PostScript), in one
# hyperfine run, with no display. Each run starts without the file; afterwards both files are checked.
#
#   bench/pdf/run.sh [BUILD-DIR]    BUILD-DIR defaults to build-bench, a Release build made here
#   RUNS=N                          timed runs of each (default 40)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-bench}
if [ $# -lt 1 ]; then
    "$root/tools/setup-debian.sh"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORNEL_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target vornel >/dev/null
runs=${RUNS:-40}
work=$(mktemp -d /tmp/vornel-pdf-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

vornel="$build/app/vornel --pdf $work/vornel.pdf --paper a4 --template 2"
cdlabelgen="cdlabelgen --create-envelope -c Disc -o $work/cdlabelgen.ps"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM hyperfine -N --warmup 3 --runs "$runs" \
    --export-markdown "$work/table.md" \
    --prepare "rm -f $work/vornel.pdf" -n "vornel --pdf (dotted, A4)" "$vornel" \
    --prepare "rm -f $work/cdlabelgen.ps" -n "cdlabelgen --create-envelope" "$cdlabelgen"
for file in vornel.pdf cdlabelgen.ps; do
    [ -s "$work/$file" ] || { echo "no $file was written" >&2; exit 1; }
    echo "$file: $(stat -c %s "$work/$file") bytes"
done
cat "$work/table.md"
