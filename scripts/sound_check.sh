#!/usr/bin/env bash
# Plays the game's sounds into a private PulseAudio null sink, records the sink and counts the
# sounds heard against the sounds asked for. Slow (about two minutes), so it is not in ctest.
# Skips with exit 0 where no sound server can be started; exits 1 when a sound went missing.
#   scripts/sound_check.sh [BUILD_DIR] [EVENTS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
events="${2:-24}"
driver="$build/tools/soundcheck/kumoji-sound-check"

skip() {
  echo "sound check skipped: $*"
  exit 0
}

[ -x "$driver" ] || skip "$driver is not built"
for tool in pulseaudio pactl parecord python3; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done

work="$(mktemp -d)"
server_pid=""
recorder_pid=""
cleanup() {
  [ -n "$recorder_pid" ] && kill "$recorder_pid" 2>/dev/null || true
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  if [ -n "${KUMOJI_SOUND_KEEP:-}" ]; then cp "$work/heard.wav" "$KUMOJI_SOUND_KEEP" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# A server of our own, so that no desktop session or other run is disturbed or heard.
export XDG_RUNTIME_DIR="$work/run" HOME="$work/home" PULSE_SERVER="unix:$work/run/native"
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --disable-shm=yes \
  --load="module-native-protocol-unix socket=$work/run/native auth-anonymous=1" \
  --load="module-null-sink sink_name=kumoji_check" \
  --log-target=file:"$work/pulseaudio.log" >/dev/null 2>&1 &
server_pid=$!
for _ in $(seq 1 100); do
  pactl info >/dev/null 2>&1 && break
  kill -0 "$server_pid" 2>/dev/null ||
    skip "pulseaudio did not start: $(tail -n 2 "$work/pulseaudio.log" 2>/dev/null | tr '\n' ' ')"
  sleep 0.1
done
pactl info >/dev/null 2>&1 || skip "pulseaudio did not answer"
pactl set-default-sink kumoji_check

# 8 kHz mono is plenty to tell sound from silence; the null sink's silence is exact zeros.
parecord --device=kumoji_check.monitor --rate=8000 --channels=1 --format=s16le \
  --file-format=wav "$work/heard.wav" &
recorder_pid=$!
sleep 1

QT_QPA_PLATFORM=offscreen "$driver" --events "$events" --gap-ms 1500 >"$work/asked.txt" ||
  {
    status=$?
    [ "$status" = 3 ] && skip "the game sees no audio device"
    echo "sound check: the driver failed ($status)" >&2
    exit 1
  }
sleep 1
kill -INT "$recorder_pid"
wait "$recorder_pid" 2>/dev/null || true
recorder_pid=""

python3 - "$work/heard.wav" "$work/asked.txt" <<'EOF'
import array, sys, wave

recording, asked_log = sys.argv[1], sys.argv[2]
asked = [int(line.split()[-1]) for line in open(asked_log) if line.startswith("sound ")]
with wave.open(recording) as w:
    rate = w.getframerate()
    samples = array.array("h", w.readframes(w.getnframes()))

# 20 ms windows; a window is sound when its RMS is above about -50 dBFS. Runs of sound are
# joined across gaps shorter than half a second (the sounds' own pauses are far shorter, the
# silence between two asked sounds is 1.5 s), and runs shorter than 100 ms are ignored.
window = rate // 50
loud = []
for start in range(0, len(samples) - window + 1, window):
    chunk = samples[start:start + window]
    loud.append((sum(s * s for s in chunk) / window) ** 0.5 > 100)
runs = []
for i, on in enumerate(loud):
    if not on:
        continue
    if runs and i - runs[-1][1] <= 25:
        runs[-1][1] = i
    else:
        runs.append([i, i])
runs = [r for r in runs if r[1] - r[0] + 1 >= 5]
heard = len(runs)
slowest = [line.strip() for line in open(asked_log) if line.startswith("asked ")]
print("asked %d, heard %d (%s)" % (len(asked), heard, slowest[0] if slowest else "no summary"))
for n, (first, last) in enumerate(runs, 1):
    print("  heard %2d at %6.2f s for %.2f s" % (n, first / 50, (last - first + 1) / 50))
for n, ms in enumerate(asked, 1):
    print("  asked %2d for %.2f s" % (n, ms / 1000))
# A sound that starts but carries silence for most of its length counts as missing.
short = [n for n, ((first, last), ms) in enumerate(zip(runs, asked), 1)
         if (last - first + 1) * 20 < 0.6 * ms]
if short:
    print("  cut short: %s" % ", ".join(map(str, short)))
sys.exit(0 if heard == len(asked) and not short else 1)
EOF
