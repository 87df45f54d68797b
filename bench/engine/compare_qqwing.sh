#!/usr/bin/env bash
# Times the deep answer step of kumoji-analyse against qqwing's solver on the
# same expert puzzles, side by side. qqwing only makes and solves the test
# input; nothing of ours depends on it.
#
# usage: compare_qqwing.sh [KUMOJI_ANALYSE [PUZZLE_FILE]]
#   KUMOJI_ANALYSE  the tool (default: build-analysis/tools/analyse/kumoji-analyse
#                   under the repository root)
#   PUZZLE_FILE     reuse a file of one-line puzzles ('.' or '0' for empty);
#                   otherwise $COUNT (default 2000) expert puzzles are generated
set -euo pipefail

root="$(cd "$(dirname "$0")/../.." && pwd)"
tool="${1:-$root/build-analysis/tools/analyse/kumoji-analyse}"
count="${COUNT:-2000}"
command -v qqwing >/dev/null || { echo "qqwing is not installed" >&2; exit 2; }
[ -x "$tool" ] || { echo "no kumoji-analyse at $tool" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

if [ -n "${2:-}" ]; then
  grep -E '^[0-9.]{81}$' "$2" > "$work/dotted.txt"
else
  echo "generating $count expert puzzles with qqwing ..."
  qqwing --generate "$count" --one-line --difficulty expert > "$work/dotted.txt"
fi
tr '.' '0' < "$work/dotted.txt" > "$work/puzzles.txt"
tr '0' '.' < "$work/puzzles.txt" > "$work/dotted.txt"
n="$(wc -l < "$work/puzzles.txt")"

# Best of three runs of a command, by wall time: prints "wall cpu" in
# seconds (cpu = user + system). Its standard input comes from the file named
# first, its output goes to the second. Other builds on the machine inflate
# wall time; the cpu column shows the work itself.
measure() {
  local in="$1" out="$2" best="" times TIMEFORMAT='%R %U %S'
  shift 2
  for _ in 1 2 3; do
    times="$( { time "$@" < "$in" > "$out" 2>/dev/null; } 2>&1 )"
    read -r real user sys <<< "$times"
    if [ -z "$best" ] || [ "$(echo "$real < ${best%% *}" | bc)" = 1 ]; then
      best="$real $(echo "$user + $sys" | bc)"
    fi
  done
  echo "$best"
}

read -r kumoji_wall kumoji_cpu <<< "$(measure /dev/null "$work/kumoji.txt" "$tool" --solve --deep "$work/puzzles.txt")"
read -r qqwing_wall qqwing_cpu <<< "$(measure "$work/dotted.txt" "$work/qqwing.txt" qqwing --solve --one-line)"

solved="$(grep -c '^solved ' "$work/kumoji.txt" || true)"
stuck="$(grep -c '^stuck ' "$work/kumoji.txt" || true)"
contra="$(grep -c '^contradiction ' "$work/kumoji.txt" || true)"
# Every grid we call solved must be qqwing's solution.
agree="$(paste -d' ' <(grep -E '^(solved|stuck|contradiction) ' "$work/kumoji.txt") \
                     <(grep -E '^[0-9]{81}$' "$work/qqwing.txt") |
         awk '$1 == "solved" && $2 == $3 { n++ } END { print n + 0 }')"

row() {
  printf '%-30s %8.3f %8.3f %12.1f %12.1f\n' "$1" "$2" "$3" \
    "$(echo "$2 * 1000000 / $n" | bc -l)" "$(echo "$3 * 1000000 / $n" | bc -l)"
}
printf '%-30s %8s %8s %12s %12s\n' "$n puzzles" "wall s" "cpu s" "wall us/pz" "cpu us/pz"
row "kumoji-analyse --solve --deep" "$kumoji_wall" "$kumoji_cpu"
row "qqwing --solve" "$qqwing_wall" "$qqwing_cpu"
echo "kumoji outcomes: $solved solved ($agree equal to qqwing's solution), $stuck stuck, $contra contradiction"
