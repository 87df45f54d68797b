#!/usr/bin/env bash
# Runs a test program on a fresh Xvfb display, bare or under openbox; 77 (skipped) when
# the display or the window manager is not installed.
set -uo pipefail
wm="$1" program="$2"
shift 2
command -v Xvfb >/dev/null || { echo "Xvfb is not installed"; exit 77; }
if [ "$wm" = openbox ]; then
  command -v openbox >/dev/null || { echo "openbox is not installed"; exit 77; }
fi
dir=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT
# Waits up to thirty seconds (a loaded machine) for a file a starting server writes.
await() {
  for _ in $(seq 600); do
    [ -s "$1" ] && return 0
    sleep 0.05
  done
  echo "timed out waiting for $1"
  return 1
}
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
pids+=($!)
await "$dir/display" || exit 1
export DISPLAY=":$(cat "$dir/display")"
if [ "$wm" = openbox ]; then
  openbox --sm-disable --startup "sh -c 'echo up > $dir/wm'" 2>"$dir/openbox.log" &
  pids+=($!)
  await "$dir/wm" || exit 1
fi
KUMOJI_TEST_WM="$wm" QT_QPA_PLATFORM=xcb "$program" "$@"
