#!/usr/bin/env bash
# Sets everything up, builds with the tests and runs every test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh" -DBUILD_TESTING=ON -DKUMOJI_BENCHMARKS=ON
# Short fuzz runs first, so the test runner's summary is the last thing printed.
if [ -x "$root/scripts/fuzz.sh" ]; then
  "$root/scripts/fuzz.sh" --short
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$root/build" --output-on-failure -j"$(nproc 2>/dev/null || echo 2)"
# Slow: every sound is played into a recorded null sink and counted.
"$root/scripts/sound_check.sh" "$root/build"
