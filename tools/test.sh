#!/usr/bin/env bash
# Builds Ворнель with its tests and runs every test: once in a normal build, once under AddressSanitizer and
# UndefinedBehaviorSanitizer. Tests that print start their own private print server on loopback.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup-debian.sh"

jobs=$(nproc)
run_suite() { # build-dir, extra cmake arguments...
  local dir=$1
  shift
  cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  # The suite never uses the user's printers or display; Xvfb serves the tests that take screenshots.
  (cd "$dir" && env -u PRINTER -u LPDEST -u CUPS_SERVER xvfb-run -a -s "-screen 0 1280x800x24" \
    ctest --output-on-failure -j "$jobs" --timeout 600)
}

run_suite "$root/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions="$root/tests/lsan.supp"
run_suite "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DVORNEL_SANITIZE=ON -DVORNEL_BENCH=OFF
