#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the whole
# suite (replay scenarios included) in the normal build, then the same suite
# under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer in a
# build of its own (scripts/sanitize.sh), then each file reader fuzzed for a
# minute with clang (scripts/fuzz.sh). The first stage that fails ends it.
#
#   SEASHELL_TEST_BUILD=DIR    the normal build (default build-test); the
#                              others go to DIR-sanitize and DIR-fuzz
#   SEASHELL_TEST_QUICK=1      the normal build's suite only
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
quick="${SEASHELL_TEST_QUICK:-0}"
if [ "$quick" = 1 ]; then
  "$top/scripts/deps.sh"
else
  SEASHELL_FUZZ_DEPS=1 "$top/scripts/deps.sh"
fi
build="${SEASHELL_TEST_BUILD:-$top/build-test}"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2
(cd "$build" && ctest --output-on-failure -j2 --timeout 900)
[ "$quick" = 1 ] && exit 0

echo "== the suite under the sanitizers"
SEASHELL_SANITIZE_BUILD="$build-sanitize" "$top/scripts/sanitize.sh"
echo "== the file readers fuzzed"
SEASHELL_FUZZ_BUILD="$build-fuzz" "$top/scripts/fuzz.sh" 60
