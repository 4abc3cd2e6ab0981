#!/bin/sh
# Starts the modeller on a private Xvfb display, waits for its window,
# right-clicks in it (the main menu opens and stays up), sends Escape (the
# menu closes and the program quits) and checks that it ends with status 0
# within a few seconds. Exits 77 (skipped) without Xvfb or xdotool.
set -u
prog="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done

work="$(mktemp -d "${TMPDIR:-/tmp}/seashell-xvfb.XXXXXX")"
xvfb=""
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
i=0
while [ ! -s "$work/display" ]; do
  i=$((i + 1))
  if [ $i -gt 100 ] || ! kill -0 "$xvfb" 2>/dev/null; then
    echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1
  fi
  sleep 0.1
done
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY

cd "$work"
"$prog" >"$work/out.log" 2>&1 &
pid=$!

wid="$(timeout 15 xdotool search --sync --onlyvisible --name '^Seashell$' | head -n1)"
if [ -z "$wid" ]; then
  echo "the window did not appear"; cat "$work/out.log"; exit 1
fi
# Let the program reach its event loop, then right-click in the middle of
# the window, away from the curve views.
sleep 1
xdotool mousemove --window "$wid" 300 150 click 3
sleep 0.5
if ! kill -0 "$pid" 2>/dev/null; then
  wait "$pid"
  echo "the program ended on a right click (status $?)"; cat "$work/out.log"; exit 1
fi
xdotool key Escape

i=0
while kill -0 "$pid" 2>/dev/null; do
  i=$((i + 1))
  if [ $i -gt 50 ]; then
    echo "the program did not end within 5 seconds of Escape"; exit 1
  fi
  sleep 0.1
done
wait "$pid"
status=$?
pid=""
if [ "$status" -ne 0 ]; then
  echo "the program ended with status $status"; cat "$work/out.log"; exit 1
fi
echo "ok: the window appeared, a menu opened, Escape ended the program with status 0"
