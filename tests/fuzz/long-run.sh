#!/bin/sh
# Runs the fuzz targets one after another, one process each, niced, for longer than the tests do, and prints
# each run's last figures: executions per second, coverage (cov) and features (ft). Inputs found go to the build's
# folder, breaking ones beside them as crash-*; copy one into the target's corpus, mend the fault, and it is
# replayed by every run after.
#   tests/fuzz/long-run.sh BUILD-FUZZ-DIR [SECONDS [TARGET...]]   (600 s each, every target by default)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)/tests/fuzz
seconds=${2:-600}
[ $# -ge 2 ] && shift 2 || shift $#
targets=${*:-ipp_answer user_options network_printer picture_block}
status=0
for target in $targets; do
    found="$build/found/$target"
    mkdir -p "$found"
    log="$build/long-run-$target.log"
    echo "== $target, $seconds s"
    nice "$build/fuzz_$target" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/fuzz_$target-" "$found" "$root/tests/fuzz/corpus/$target" \
        >"$log" 2>&1 || status=1
    grep -E '^#[0-9]+' "$log" | tail -1
    grep -E 'stat::number_of_executed_units|stat::average_exec_per_sec|ERROR|runtime error|broken:' "$log" || true
done
exit $status
