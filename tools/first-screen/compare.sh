#!/usr/bin/env bash
# Times the first usable screen of two builds of the game, alternating runs, each on a fresh
# Xvfb (1366x768; no window manager, or openbox with WM=openbox) in a fresh folder: "prompt" starts with no data file (the
# name prompt comes), "dialog" with one player (the player dialog comes).
#   tools/first-screen/compare.sh BEFORE_KUMOJI AFTER_KUMOJI [RUNS] [CASE...]
# Needs build/tools/first-screen/kumoji-first-screen and build/tools/datafile/kumoji-datafile
# (or KUMOJI_BUILD=folder). Prints every run, then per build and case the medians of: main
# window mapped, main window exposed, prompt or dialog mapped, its first exposure (ms since
# the process started), and peak resident memory (KiB, 1.5 s after that exposure, when the
# deal of the pieces has ended).
set -euo pipefail
before="$1" after="$2" runs="${3:-10}"
shift $(($# < 3 ? $# : 3))
cases=("${@:-prompt}")
build="${KUMOJI_BUILD:-$(cd "$(dirname "$0")/../.." && pwd)/build}"
probe="$build/tools/first-screen/kumoji-first-screen"
pack="$build/tools/datafile/kumoji-datafile"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

run_once() { # label binary case
  local dir="$work/run" xvfb display
  rm -rf "$dir" && mkdir "$dir"
  if [ "$3" = dialog ]; then
    printf '[userdata]\nP1=0,3,"11,18,21,24,28,32,36,39",2026/01/01 10:00:00,0\n' |
      "$pack" pack "$dir/tozan01.ini"
  fi
  Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.02; done
  display=":$(cat "$work/display")"
  local wm=""
  if [ "${WM:-}" = openbox ]; then
    rm -f "$work/wm"
    DISPLAY="$display" openbox --sm-disable --startup "touch $work/wm" 2>/dev/null &
    wm=$!
    for _ in $(seq 200); do [ -e "$work/wm" ] && break; sleep 0.02; done
  fi
  local line
  line=$(cd "$dir" && DISPLAY="$display" QT_QPA_PLATFORM=xcb "$probe" -- "$2" 2>/dev/null) ||
    line="$line (incomplete)"
  if [ -n "$wm" ]; then kill "$wm" && wait "$wm" 2>/dev/null || true; fi
  kill "$xvfb" && wait "$xvfb" 2>/dev/null || true
  : >"$work/display"
  echo "$1 $3 $line" | tee -a "$work/results"
}

for i in $(seq "$runs"); do
  for c in "${cases[@]}"; do
    if [ $((i % 2)) = 1 ]; then
      run_once before "$before" "$c"; run_once after "$after" "$c"
    else
      run_once after "$after" "$c"; run_once before "$before" "$c"
    fi
  done
done

echo "build case: median of main-mapped main-exposed first-mapped first-exposed max-rss-KiB"
for label in before after; do
  for c in "${cases[@]}"; do
    awk -v l="$label" -v c="$c" '$1 == l && $2 == c && NF == 7 { n++; for (k = 3; k <= 7; k++) v[k, n] = $k }
      END {
        printf "%s %s (%d runs):", l, c, n
        for (k = 3; k <= 7; k++) {
          m = 0; for (i = 1; i <= n; i++) a[i] = v[k, i]
          for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
          printf " %s", n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
        }
        printf "\n"
      }' "$work/results"
  done
done
