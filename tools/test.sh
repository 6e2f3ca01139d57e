#!/usr/bin/env bash
# Builds Ворнель with its tests and runs every test: once in a normal build, once under AddressSanitizer and
# UndefinedBehaviorSanitizer; the tests whose work crosses threads once more under ThreadSanitizer; and the
# fuzz targets for a bounded time each. Tests that print start their own private print server on loopback.
# Every build runs whatever the one before it found; the status is the first failure. Last, the run must have
# left no account, file or process behind.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup-debian.sh"

jobs=$(nproc)
state=$(mktemp -d)
built=()
trap 'rm -rf "$state"' EXIT
# ctest skips its cleanups when it is interrupted: the private print servers and their accounts go here.
# shellcheck disable=SC2317 # called by the trap
interrupted() {
  for dir in "${built[@]}"; do
    (cd "$dir" && ctest -R '^private_cupsd_stop$' >/dev/null 2>&1) || true
  done
  exit 130
}
trap interrupted INT TERM
"$root/tests/nothing-left.sh" before "$state" "$root"
# What a desktop session gives: without it, Qt makes a runtime folder in the temporary folder.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR=$state/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

# The tests expect the program's own language for a locale that names none; those about languages set theirs.
export LANG=C.UTF-8
unset LANGUAGE LC_ALL LC_MESSAGES

status=0
run_suite() { # build-dir, extra cmake arguments...
  local dir=$1
  shift
  built+=("$dir")
  cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null || return
  cmake --build "$dir" -j "$jobs" || return
  # The suite never uses the user's printers or display; Xvfb serves the tests that take screenshots.
  (cd "$dir" && env -u PRINTER -u LPDEST -u CUPS_SERVER xvfb-run -a -s "-screen 0 1280x800x24" \
    ctest --output-on-failure -j "$jobs" --timeout 600)
}
failed() { [ "$status" -ne 0 ] || status=$1; }

run_suite "$root/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo || failed $?
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions="$root/tests/lsan.supp"
run_suite "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DVORNEL_SANITIZE=ON -DVORNEL_BENCH=OFF || failed $?
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS

# The tests whose work crosses threads, once more under ThreadSanitizer: the start's value, the printer list
# held still across a password dialog, the password asked from the start's and other threads, the network
# search on the private DNS-SD network, and the monkey runs with the search beside them.
run_threaded() {
  local dir=$root/build-tsan
  built+=("$dir")
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNEL_TSAN=ON -DVORNEL_BENCH=OFF \
    >/dev/null || return
  cmake --build "$dir" -j "$jobs" --target test_printer_start test_printer_list_during_actions test_password \
    test_monkey_fake test_monkey_cups test_network_printers || return
  (cd "$dir" && TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$root/tests/tsan.supp" \
    env -u PRINTER -u LPDEST -u CUPS_SERVER xvfb-run -a -s "-screen 0 1280x800x24" \
    ctest --output-on-failure -j "$jobs" --timeout 600 \
    -R '^(PrinterStart|PrinterListDuringActions|PasswordServer|Monkey[A-Za-z]*)\.|^network_printers$')
}
run_threaded || failed $?

# The fuzz targets (tests/fuzz), built with clang's libFuzzer, each for a bounded time over its corpus.
run_fuzz() {
  local dir=$root/build-fuzz
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVORNEL_FUZZ=ON >/dev/null || return
  cmake --build "$dir" -j "$jobs" --target fuzz_targets || return
  (cd "$dir" && ctest --output-on-failure --timeout 600)
}
run_fuzz || failed $?
"$root/tests/nothing-left.sh" after "$state" "$root" || failed $?
exit "$status"
