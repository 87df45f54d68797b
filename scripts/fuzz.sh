#!/usr/bin/env bash
# Builds the storage fuzz targets with clang (libFuzzer, address and undefined-behaviour
# sanitizers) and runs each for a bounded time.
#   scripts/fuzz.sh --short       about 20 s per target (the test run uses this)
#   scripts/fuzz.sh --minutes N   N minutes per target
# Exits non-zero when a target finds a crash; the input is kept in build-fuzz/findings/.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds=20
case "${1:-}" in
  --short|"") seconds=20 ;;
  --minutes) seconds=$(( ${2:?--minutes needs a number} * 60 )) ;;
  *) echo "usage: $0 [--short | --minutes N]" >&2; exit 2 ;;
esac

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ not found, skipped"
  exit 0
fi

build="$root/build-fuzz"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -g -O1"
cmake -S "$root" -B "$build" -DKUMOJI_PARTS=storage -DBUILD_TESTING=ON -DKUMOJI_FUZZ=ON \
  -DKUMOJI_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="$flags" >/dev/null || { echo "fuzz: FAILED to configure"; exit 1; }
cmake --build "$build" -j2 --target fuzz_decode fuzz_record make_seeds >/dev/null ||
  { echo "fuzz: FAILED to build"; exit 1; }

bin="$build/tests/storage/fuzz"
mkdir -p "$build/corpus/decode" "$build/corpus/record" "$build/findings"
"$bin/make_seeds" "$build/corpus/decode" "$build/corpus/record" ||
  { echo "fuzz: FAILED to make the seed corpus"; exit 1; }

status=0
for target in decode record; do
  log="$build/findings/fuzz_$target.log"
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "$bin/fuzz_$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=1024 \
    -artifact_prefix="$build/findings/${target}-" -print_final_stats=1 \
    "$build/corpus/$target" >"$log" 2>&1
  rc=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
  if [ $rc -ne 0 ]; then
    echo "fuzz_$target: FINDING (exit $rc) after ${runs:-?} runs; see $log and $build/findings/"
    status=1
  else
    echo "fuzz_$target: ${runs:-?} runs in ${seconds} s, no findings"
  fi
done
if [ $status -eq 0 ]; then
  echo "fuzz: PASSED, nothing found"
else
  echo "fuzz: FAILED, findings in $build/findings/"
fi
exit $status
