#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/deps.sh"
build="${SEASHELL_TEST_BUILD:-$top/build-test}"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2
cd "$build"
ctest --output-on-failure -j2 --timeout 900
