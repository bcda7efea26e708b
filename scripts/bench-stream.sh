#!/usr/bin/env bash
# Figures of the WAVE/MP3 stream player under Wine: CPU seconds of streaming a 60 s WAVE file
# against MCI's own wave-audio driver playing the same file, gaps or repeats in the captured
# output of a 60 s play with the other core busy, and the open time of a WAVE and an MP3 file.
#   scripts/bench-stream.sh [BIN_DIR]     (builds StreamPlay.exe into build/win when not given)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --inside ]; then
    bin=${1:-}
    if [ -z "$bin" ]; then
        bash scripts/build.sh win StreamPlay
        bin=$(pwd)/build/win/bin
    fi
    exec scripts/winebench.sh run -- bash "$(pwd)/scripts/bench-stream.sh" --inside "$bin"
fi

bin=$2
seconds=${MX_STREAM_SECONDS:-60}
work=$(mktemp -d)
busy=
trap '[ -n "$busy" ] && kill "$busy" 2>/dev/null; rm -rf "$work"' EXIT
. tests/scenario/audio/check_helpers.sh
c++ -O2 -std=c++17 -o "$work/AudioCompare" tests/scenario/audio/AudioCompare.cpp

sox -R -n -r 44100 -c 2 -b 16 "$work/long.wav" synth "$seconds" whitenoise vol 0.5 2>/dev/null
sox "$work/long.wav" -t raw "$work/long.raw"
lame --quiet -b 128 "$work/long.wav" "$work/long.mp3"
wav=$(winpath "$work/long.wav")
mp3=$(winpath "$work/long.mp3")
wine "$bin/StreamPlay.exe" "$wav" play wait:300 stop >/dev/null 2>&1

# run NAME COMMAND...: CPU seconds of the Wine process as the shell counts them (user + system
# of the process and everything it waited for), next to what the process reports itself.
run() {
    local name=$1
    shift


    local TIMEFORMAT="%U %S"
    { time "$@" >"$work/$name.out" 2>/dev/null; } 2>"$work/$name.time"
    read -r user system <"$work/$name.time"
    echo "$name: cpu $(awk -v u="$user" -v s="$system" 'BEGIN { printf "%.2f", u + s }') s" \
        "(process's own count: user $(value cpu_user_s "$work/$name.out") s," \
        "kernel $(value cpu_kernel_s "$work/$name.out") s)"
    awk -v u="$user" -v s="$system" 'BEGIN { printf "%.3f\n", u + s }' >"$work/$name.cpu"
}

# capture NAME COMMAND...: the same, while the monitor is recorded.
capture() {
    local name=$1
    shift
    parec -d nul.monitor --raw --latency-msec=20 --format=s16le --channels=2 --rate=44100 >"$work/$name.raw" &
    local recorder=$!
    sleep 0.3
    run "$name" "$@"
    sleep 0.8
    kill "$recorder"
    wait "$recorder" 2>/dev/null || true
    "$work/AudioCompare" segments "$work/long.raw" "$work/$name.raw" 2 >"$work/$name.cmp"
    # Breaks after the first two seconds, where the sound server may still slip a few frames.
    local late
    # A clean capture has no break lines, which must not end the script.
    late=$({ grep '^break:' "$work/$name.cmp" || true; } | awk -F'[ =]' '$3 > 88200' | wc -l)
    echo "$name: exact frames $(value matched_frames "$work/$name.cmp") of $(value reference_frames "$work/$name.cmp")," \
        "runs $(value runs "$work/$name.cmp"), lost $(value lost_frames "$work/$name.cmp")," \
        "repeated $(value repeated_frames "$work/$name.cmp"), breaks after 2 s: $late," \
        "fewest buffers queued: $(value lowest_queued "$work/$name.out")"
    grep '^break:' "$work/$name.cmp" | head -8 | sed 's/^/    /' || true
}

echo "== stream player: CPU against MCI waveaudio (${seconds} s, 44.1 kHz stereo WAVE)"
capture stream wine "$bin/StreamPlay.exe" "$wav" play end:$((seconds * 1000 + 5000)) cpu
capture mci wine "$bin/StreamPlay.exe" --mci "$wav"
echo "cpu ratio stream/mci: $(awk -v a="$(cat "$work/stream.cpu")" -v b="$(cat "$work/mci.cpu")" \
    'BEGIN { printf "%.2f", a / b }')"

echo "== no dropouts: ${seconds} s with a busy loop on the other core"
bash -c 'while :; do :; done' &
busy=$!
capture loaded wine "$bin/StreamPlay.exe" "$wav" play end:$((seconds * 1000 + 5000)) cpu
capture loaded-mci wine "$bin/StreamPlay.exe" --mci "$wav"
kill "$busy"
busy=

echo "== open time (20 opens each, file in the page cache)"
for file in "$wav" "$mp3"; do
    flag=
    [ "$file" = "$mp3" ] && flag=--mp3
    wine "$bin/StreamPlay.exe" $flag "$file" opentime:20 >"$work/open.out" 2>/dev/null
    echo "$(basename "${file//\\//}"): median $(value open_ms_median "$work/open.out") ms," \
        "max $(value open_ms_max "$work/open.out") ms"
done
