#!/usr/bin/env bash
# The peer comparison for the deep solve: the 600 graded puzzles of the peer's
# own sets, repeated three times, solved by `qqwing --solve` and by
# `kumoji-analyse --solve --deep`, runs alternating, median of five. Prints
# both tools' processor time (user + system) and wall time and our share of
# each. qqwing is only a timing reference; nothing of ours depends on it.
#
# usage: qqwing_ratio.sh [KUMOJI_ANALYSE [CSV...]]
#   KUMOJI_ANALYSE  default: build/tools/analyse/kumoji-analyse under the root
#   CSV             files with a Puzzle column ('.' for empty); default
#                   shared/bench/qqwing-*.csv beside the repository
#   RUNS=N          runs per tool (default 5); REPEAT=N copies (default 3)
#   KUMOJI_ARGS     extra arguments for kumoji-analyse (say --jobs 1)
set -euo pipefail

root="$(cd "$(dirname "$0")/../.." && pwd)"
tool="${1:-$root/build/tools/analyse/kumoji-analyse}"
shift || true
runs="${RUNS:-5}"
repeat="${REPEAT:-3}"
if [ "$#" -eq 0 ]; then
  # The shared folder sits beside the checkout (or beside a worktree's parent).
  for dir in "$root/../shared/bench" "$root/../../shared/bench"; do
    if compgen -G "$dir/qqwing-*.csv" > /dev/null; then
      set -- "$dir"/qqwing-*.csv
      break
    fi
  done
  [ "$#" -gt 0 ] || { echo "no qqwing-*.csv found; name the files" >&2; exit 2; }
fi
command -v qqwing >/dev/null || { echo "qqwing is not installed" >&2; exit 2; }
[ -x "$tool" ] || { echo "no kumoji-analyse at $tool" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The Puzzle column, wherever it stands, of every file.
for csv in "$@"; do
  awk -F, 'NR == 1 { for (i = 1; i <= NF; i++) if ($i == "Puzzle") c = i; next }
           c && length($c) == 81 && $c ~ /^[0-9.]+$/ { print $c }' "$csv"
done > "$work/once.txt"
for _ in $(seq "$repeat"); do cat "$work/once.txt"; done > "$work/dotted.txt"
tr '.' '0' < "$work/dotted.txt" > "$work/zeros.txt"
n="$(wc -l < "$work/dotted.txt")"

# One timed run: appends "wall cpu" in seconds to the file named first.
timed() {
  local log="$1" in="$2" times TIMEFORMAT='%R %U %S'
  shift 2
  times="$( { time "$@" < "$in" > /dev/null 2>&1; } 2>&1 )"
  read -r real user sys <<< "$times"
  echo "$real $(echo "$user + $sys" | bc)" >> "$log"
}

for _ in $(seq "$runs"); do
  timed "$work/peer" "$work/dotted.txt" qqwing --solve
  # shellcheck disable=SC2086
  timed "$work/ours" /dev/null "$tool" --solve --deep ${KUMOJI_ARGS:-} "$work/zeros.txt"
done

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
peer_wall="$(cut -d' ' -f1 "$work/peer" | median)"
peer_cpu="$(cut -d' ' -f2 "$work/peer" | median)"
ours_wall="$(cut -d' ' -f1 "$work/ours" | median)"
ours_cpu="$(cut -d' ' -f2 "$work/ours" | median)"

echo "$n puzzles, median of $runs alternating runs; load: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-34s %8s %8s\n' "" "wall s" "cpu s"
printf '%-34s %8.3f %8.3f\n' "qqwing --solve" "$peer_wall" "$peer_cpu"
printf '%-34s %8.3f %8.3f\n' "kumoji-analyse --solve --deep" "$ours_wall" "$ours_cpu"
printf '%-34s %8.3f %8.3f\n' "ratio (ours / qqwing)" \
  "$(echo "$ours_wall / $peer_wall" | bc -l)" "$(echo "$ours_cpu / $peer_cpu" | bc -l)"
