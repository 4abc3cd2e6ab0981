#!/usr/bin/env bash
# Builds everything with AddressSanitizer (LeakSanitizer on) and
# UndefinedBehaviorSanitizer in a folder of its own and runs the whole test
# suite there, replay scenarios included. Any report of the sanitizers ends
# the test that made it with a failure, so a clean run means no memory error,
# no leak and no undefined behaviour was seen.
#
#   scripts/sanitize.sh            # build folder: build-sanitize
#   SEASHELL_SANITIZE_BUILD=DIR scripts/sanitize.sh
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${SEASHELL_SANITIZE_BUILD:-$top/build-sanitize}"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSEASHELL_SANITIZE=ON >/dev/null
cmake --build "$build" -j2

# Leaks are looked for at every exit; the first error stops the process.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export LSAN_OPTIONS="suppressions=$top/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cd "$build"
status=0
ctest --output-on-failure -j2 --timeout 1800 -E '^xvfb_' || status=1
# The real-window test on its own, so that its timing is not upset by the
# others. SDL2 opens the X11 libraries with dlopen and closes them again at
# exit, so what they keep for the process's life is reported from unknown
# modules that no suppression can name: leaks are not looked for there.
ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0" ctest --output-on-failure --timeout 300 -R '^xvfb_' || status=1
exit $status
