#!/usr/bin/env bash
# Figures of the recorder under Wine (run inside the Wine bench by scripts/bench.sh record):
#   - CPU seconds of the player while it records SECONDS of PCM 44100 Hz, 16 bits, stereo, alone
#     and while it plays a WAVE song;
#   - nothing lost: a linked recording (mode 1) of a SECONDS-long noise song holds every frame of
#     the song after the first second, in order; again with a busy loop on the other core.
# Wine reports no CPU times for another process, so the player's host process is read here.
#   tests/scenario/record/record_bench.sh BIN_DIR [SECONDS]
set -euo pipefail
bin=$1
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
audio=$(cd "$here/../audio" && pwd)
work=$(mktemp -d /tmp/recbench.XXXXXX)
busy=
trap '[ -n "$busy" ] && kill "$busy" 2>/dev/null; rm -rf "$work"' EXIT
. "$audio/check_helpers.sh"
ticks=$(getconf CLK_TCK)
c++ -O2 -std=c++17 -o "$work/AudioCompare" "$audio/AudioCompare.cpp"
player=$(winpath "$bin/Melodrix.exe")

sox -R -n -r 44100 -c 2 -b 16 "$work/long.wav" synth $((seconds + 5)) whitenoise vol 0.5 2>/dev/null
sox -R -n -r 44100 -c 2 -b 16 "$work/song.wav" synth "$seconds" whitenoise vol 0.5 2>/dev/null
sox "$work/song.wav" -t raw "$work/song.raw"
printf 'Melodrix2.0 PlayList,Bench,100,\r\n%s,Long,,100,-300,0\r\n' "$(winpath "$work/long.wav")" >"$work/long.rpl"
printf 'Melodrix2.0 PlayList,Bench,100,\r\n%s,Song,,100,-300,0\r\n' "$(winpath "$work/song.wav")" >"$work/song.rpl"

# The player is the host process whose command line names the bench's list.
player_ticks() {
    local pid
    pid=$(pgrep -f "recbench.*$1" | head -1 || true)
    [ -n "$pid" ] || { echo -1; return; }
    awk '{ print $14 + $15 }' "/proc/$pid/stat"
}

# cpu NAME LIST DRIVER-ARGS...: the player's CPU time between the start and the end of the
# recording as the dialog's button shows them.
cpu() {
    local name=$1 list=$2 begin=-1 end=-1 line
    shift 2
    mkdir -p "$work/$name"
    while read -r line; do
        line=${line%$'\r'}
        case "$line" in
            "recording: on"*) begin=$(player_ticks "$list") ;;
            "recording: off"*) end=$(player_ticks "$list") ;;
        esac
    done < <(wine "$bin/RecordDriver.exe" "$player" "$(winpath "$work/$list")" "$(winpath "$work/$name")" "$@" \
        2>/dev/null)
    if [ "$begin" -lt 0 ] || [ "$end" -lt 0 ]; then
        echo "cpu_${name}_s: unknown (player not found)"
        return
    fi
    awk -v b="$begin" -v e="$end" -v t="$ticks" -v s="$seconds" -v n="$name" \
        'BEGIN { printf "cpu_%s_s: %.2f over %d s (%.1f%% of one core)\n", n, (e - b) / t, s, 100 * (e - b) / t / s }'
}

# Warm the sound server's first stream.
wine "$bin/RecordDriver.exe" "$player" "$(winpath "$work/long.rpl")" "$(winpath "$work")" 4 warm \
    --stop-after 500 >/dev/null 2>&1 || true

cpu recording_alone long.rpl 4 alone --stop-after $((seconds * 1000))
cpu recording_while_playing long.rpl 4 playing --play-first --stop-after $((seconds * 1000))

# lost NAME: the linked recording of the song against the song's samples.
lost() {
    local name=$1 file
    mkdir -p "$work/$name"
    wine "$bin/RecordDriver.exe" "$player" "$(winpath "$work/song.rpl")" "$(winpath "$work/$name")" 1 take \
        >/dev/null 2>&1 || true
    file="$work/$name/take.wav"
    [ -f "$file" ] || { echo "$name: no recording"; return; }
    sox -t wav "$file" -t raw "$file.raw"
    "$work/AudioCompare" segments "$work/song.raw" "$file.raw" 2 >"$file.cmp"
    local after
    after=$({ grep '^break:' "$file.cmp" || true; } |
        sed 's/.*at_ref=\([0-9]*\).*ref_jump_frames=\(-\{0,1\}[0-9]*\).*/\1 \2/' |
        awk '$1 > 44100 { s += ($2 < 0 ? -$2 : $2); n++ } END { printf "%d frames in %d break(s)", s, n }')
    echo "$name: matched $(value matched_frames "$file.cmp") of $(value reference_frames "$file.cmp") frames," \
        "first $(value first_ref_frame "$file.cmp"), last $(value last_ref_frame "$file.cmp");" \
        "lost or repeated after the first second: $after"
}

lost nothing_lost
( while :; do :; done ) &
busy=$!
lost nothing_lost_other_core_busy
kill "$busy"
busy=
