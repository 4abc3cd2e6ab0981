#!/usr/bin/env bash
# Rebuilds the sample libraries in data/ from tools/samplegen/samples.table:
# every sample in a fresh process of seashell-samplegen (the pattern
# generators are never seeded, so a sample's files depend only on its own
# record), first into a scratch folder, and into data/ only when all of them
# were made. Running it again gives the same bytes.
#
#   scripts/gensamples.sh [NAME...]     all samples, or only the ones named
#   scripts/gensamples.sh --docs        the README's pictures from data/: the
#                                       "Library" grid (docs/library.png) and
#                                       one sample traced at 500 x 500
#                                       (docs/sample.png)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${SEASHELL_BUILD:-$top/build}"
table="$top/tools/samplegen/samples.table"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target seashell-samplegen >/dev/null
gen="$build/tools/samplegen/seashell-samplegen"

if [ "${1:-}" = "--docs" ]; then
  cmake --build "$build" -j2 --target seashell-replay >/dev/null
  scratch="$(mktemp -d "${TMPDIR:-/tmp}/seashell-docs.XXXXXX")"
  trap 'rm -rf "$scratch"' EXIT
  cp "$top"/data/* "$scratch/"
  mkdir -p "$top/docs"
  # A screen just the size of the grid: six thumbnails 215 apart, four rows
  # 240 apart, and the title bars of the top row.
  printf 'move 1100 900\nmenu Library\nscreenshot %s\nclick right 10 10\n' "$top/docs/library.png" \
    > "$scratch/library.replay"
  (cd "$scratch" && "$build/tools/replay/seashell-replay" --screen 1290x942 library.replay)
  "$gen" --png 500 "$top/docs/sample.png" "$table" sample22
  echo "pictures written to $top/docs"
  exit 0
fi

names=("$@")
[ ${#names[@]} -gt 0 ] || mapfile -t names < <("$gen" --list "$table")
scratch="$(mktemp -d "${TMPDIR:-/tmp}/seashell-samples.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
for name in "${names[@]}"; do
  "$gen" "$table" "$name" "$scratch"
done
mkdir -p "$top/data"
cp "$scratch"/* "$top/data/"
echo "${#names[@]} samples written to $top/data"
