#!/usr/bin/env bash
# Fuzzes the three file readers with libFuzzer: any bytes as a shell file
# (".shl"), a texture file (".ttr") and an image file (".bp"), each through
# the real loading functions and what the program does next with a loaded
# file (fuzz/). Built with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in a folder of its own.
#
#   scripts/fuzz.sh [SECONDS]      # SECONDS per reader, default 60
#   SEASHELL_FUZZ_BUILD=DIR scripts/fuzz.sh 3600
#
# The seed files are written by the modeller itself (fuzz/seeds.replay),
# together with the inputs of the regression tests (tests/robust/inputs/).
# The corpus grows in DIR/fuzz-corpus and is kept for the next run. A crash,
# leak, undefined behaviour or an input that runs longer than 60 seconds
# fails the run; its input is saved in DIR/fuzz-artifacts and the command
# that replays it is printed.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
case "$seconds" in
  ''|*[!0-9]*) echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2 ;;
esac
SEASHELL_FUZZ_DEPS=1 "$top/scripts/deps.sh"
build="${SEASHELL_FUZZ_BUILD:-$top/build-fuzz}"
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSEASHELL_FUZZ=ON >/dev/null
cmake --build "$build" -j2 --target fuzz_shellfile fuzz_texturefile fuzz_imagefile seashell-replay

corpus="$build/fuzz-corpus"
artifacts="$build/fuzz-artifacts"
seeds="$build/fuzz-seeds"
mkdir -p "$corpus/shl" "$corpus/ttr" "$corpus/bp" "$artifacts"
rm -rf "$seeds"
mkdir -p "$seeds"
(cd "$seeds" && "$build/tools/replay/seashell-replay" "$top/fuzz/seeds.replay")
for ext in shl ttr bp; do
  cp "$seeds"/*."$ext" "$corpus/$ext/"
  for f in "$top"/tests/robust/inputs/*."$ext"; do
    [ -e "$f" ] && cp "$f" "$corpus/$ext/"
  done
done

export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
status=0
for run in shellfile:shl:4096 texturefile:ttr:130000 imagefile:bp:65536; do
  IFS=: read -r target ext maxlen <<<"$run"
  echo "== fuzz_$target, $seconds s"
  if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2560 \
         -max_len="$maxlen" -print_final_stats=1 -artifact_prefix="$artifacts/$target-" \
         "$corpus/$ext" 2>"$build/fuzz-$target.log"; then
    status=1
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$build/fuzz-$target.log" >&2 || true
    echo "fuzz_$target failed; log: $build/fuzz-$target.log" >&2
    echo "replay an input with: $build/fuzz/fuzz_$target FILE" >&2
  else
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^Done' "$build/fuzz-$target.log" || true
  fi
done
exit $status
