#!/usr/bin/env bash
# Rebuilds the sample libraries in data/ from tools/samplegen/samples.table:
# every sample in a fresh process of seashell-samplegen (the pattern
# generators are never seeded, so a sample's files depend only on its own
# record), first into a scratch folder, and into data/ only when all of them
# were made. Running it again gives the same bytes.
#
#   scripts/gensamples.sh [NAME...]     all samples, or only the ones named
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${SEASHELL_BUILD:-$top/build}"
table="$top/tools/samplegen/samples.table"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target seashell-samplegen >/dev/null
gen="$build/tools/samplegen/seashell-samplegen"

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
