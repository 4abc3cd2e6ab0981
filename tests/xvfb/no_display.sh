#!/bin/sh
# Without any display the modeller must say so and end with status 1, not
# open an invisible window and wait for ever.
prog="$1"
work="$(mktemp -d "${TMPDIR:-/tmp}/seashell-nodisplay.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cd "$work"
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_RUNTIME_DIR="$work" \
  timeout 20 "$prog" >out.log 2>&1
status=$?
if [ "$status" -ne 1 ]; then
  echo "expected status 1 without a display, got $status"; cat out.log; exit 1
fi
if ! grep -q "cannot open a window" out.log; then
  echo "no message about the missing display:"; cat out.log; exit 1
fi
echo "ok: without a display the program explains and ends with status 1"
