#!/usr/bin/env bash
# Installs what is missing, builds the modeller and starts it in its working
# folder (where the sample libraries are found and the user's files go).
# Without a display it runs a short demo through the replay tool instead and
# prints where the screenshots are.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/deps.sh"
build="${SEASHELL_BUILD:-$top/build}"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target seashell seashell-replay

work="${SEASHELL_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/seashell}"
mkdir -p "$work"
# Fill the working folder with the sample libraries on first use; never
# overwrite what is there.
if [ -d "$top/data" ]; then
  for f in "$top"/data/*; do
    [ -e "$f" ] || continue
    [ -e "$work/$(basename "$f")" ] || cp "$f" "$work/"
  done
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  shots="$(mktemp -d "${TMPDIR:-/tmp}/seashell-demo.XXXXXX")"
  echo "No display found: running the demo script headless instead."
  # The demo works on its own copy of the libraries, next to its screenshots.
  cp "$top"/data/* "$shots/"
  cd "$shots"
  sed "s|@OUT@|$shots|g" "$top/scripts/demo.replay" > "$shots/demo.replay"
  "$build/tools/replay/seashell-replay" "$shots/demo.replay"
  echo "Demo screenshots written to: $shots"
  exit 0
fi
cd "$work"
exec "$build/seashell"
