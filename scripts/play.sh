#!/usr/bin/env bash
# Sets everything up, then starts the game in the current folder (the
# players' data file lives there).
set -euo pipefail
here="$(pwd)"
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh" -DBUILD_TESTING=OFF -DKUMOJI_BENCHMARKS=OFF
cd "$here"
if [ -x "$root/build/game/kumoji" ]; then
  exec "$root/build/game/kumoji" "$@"
fi
exec "$root/build/tools/analyse/kumoji-analyse" --tables
