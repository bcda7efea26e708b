#!/usr/bin/env bash
# Records what the real player plays through its recording dialog (RecordDriver.exe drives it)
# and compares the WAVE files with the songs' samples: under Wine the null sink's monitor is the
# default recording source, and with the format PCM 44100 Hz, 16 bits, stereo the samples arrive
# bit for bit. Linked mode 2 on three songs titled A, A and empty writes A.wav, A_0.wav and
# 00000000.wav, each holding its own song in order and nothing of the next; mode 3 records the
# list into one file in order; mode 1 one song; mode 4 records until stopped and leaves playback
# alone; the overwrite question answered No leaves the file as it was; a second click and a close
# while the recording drains are carried out once.
# Runs inside the test bench (WINEPREFIX, DISPLAY and the null sink "nul").
#   record_check.sh BIN_DIR
set -euo pipefail
bin=$1
here=$(cd "$(dirname "$0")" && pwd)
audio=$(cd "$here/../audio" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$audio/check_helpers.sh"

c++ -O2 -std=c++17 -o "$work/AudioCompare" "$audio/AudioCompare.cpp"
player=$(winpath "$bin/Melodrix.exe")
driver() { wine "$bin/RecordDriver.exe" "$player" "$@"; }

# Three songs of two seconds each, cut from one run of deterministic noise, so every stretch of
# a recording names one song and one place in it. The third song's file name has no base name,
# so its title is empty.
song_frames=88200
sox -R -n -r 44100 -c 2 -b 16 "$work/noise.wav" synth 6 whitenoise vol 0.5 2>/dev/null
sox "$work/noise.wav" -t raw "$work/noise.raw"
mkdir -p "$work/songs" "$work/third"
sox "$work/noise.wav" "$work/songs/s0.wav" trim 0 2
sox "$work/noise.wav" "$work/songs/s1.wav" trim 2 2
sox "$work/noise.wav" "$work/third/.wav" trim 4 2
printf 'Melodrix2.0 PlayList,Record list,100,\r\n%s,A,,100,-300,0\r\n%s,A,,100,-300,0\r\n%s,,,100,-300,0\r\n' \
    "$(winpath "$work/songs/s0.wav")" "$(winpath "$work/songs/s1.wav")" "$(winpath "$work/third/.wav")" \
    >"$work/list.rpl"
list=$(winpath "$work/list.rpl")

# segments FILE: the recording's data compared with the whole noise (the three songs in a row).
segments() {
    sox -t wav "$1" -t raw "$1.raw"
    "$work/AudioCompare" segments "$work/noise.raw" "$1.raw" 2 >"$1.cmp"
}

# check_song FILE SONG: the file holds song SONG from its start (after the first second of the
# stream, which the sound server may bend) to its end and nothing of another song.
check_song() {
    local file=$1 song=$2 first last low high
    segments "$file"
    first=$(value first_ref_frame "$file.cmp")
    last=$(value last_ref_frame "$file.cmp")
    low=$((song * song_frames))
    high=$(((song + 1) * song_frames))
    echo "$(basename "$file"): frames $first..$last of song $song ($low..$high)," \
        "lost $(value lost_frames "$file.cmp"), repeated $(value repeated_frames "$file.cmp")"
    le "$low" "$first" && le "$first" $((low + 4410)) || fail "$file: starts at frame $first, not at song $song's start"
    le $((high - 2205)) "$last" && le "$last" "$high" || fail "$file: ends at frame $last, not at song $song's end"
    # Every run lies within the song: nothing of the next one crept in.
    outside=$({ grep '^break:' "$file.cmp" || true; } | sed 's/.*at_ref=\([0-9]*\).*/\1/' |
        awk -v low="$low" -v high="$high" '$1 < low || $1 > high { n++ } END { print n + 0 }')
    [ "$outside" = 0 ] || fail "$file: $outside run(s) of another song"
    # After the first second nothing is lost or repeated. The sound server itself may slip a few
    # frames on a loaded machine (see the stream checks); the recorder's own loss would be a
    # whole capture buffer (1024 frames) or more.
    slips=$({ grep '^break:' "$file.cmp" || true; } | sed 's/.*at_ref=\([0-9]*\).*ref_jump_frames=\(-\{0,1\}[0-9]*\).*/\1 \2/' |
        awk -v from=$((low + 44100)) '$1 > from { s += ($2 < 0 ? -$2 : $2) } END { print s + 0 }')
    echo "  slipped after the first second: $slips frames"
    le "$slips" 1023 || fail "$file: $slips frames lost or repeated after the first second"
}

# A warm-up: the first stream of a fresh sound server starts late.
driver "$list" "$(winpath "$work")" 4 warm.wav --stop-after 500 >/dev/null 2>&1 || true

echo "== mode 2: one file per song"
mkdir -p "$work/multi"
driver "$list" "$(winpath "$work/multi")" 2 "$(winpath "$work/multi")" >"$work/mode2.out" 2>/dev/null
cat "$work/mode2.out"
grep -q '^record-dialogs: 1' "$work/mode2.out" || fail "a second record command opened another dialog"
for name in A.wav A_0.wav 00000000.wav; do
    [ -f "$work/multi/$name" ] || fail "mode 2: $name was not written"
done
[ "$(ls "$work/multi" | wc -l)" = 3 ] || fail "mode 2: $(ls "$work/multi" | tr '\n' ' ') instead of three files"
[ -f "$work/multi/A.wav" ] && check_song "$work/multi/A.wav" 0
[ -f "$work/multi/A_0.wav" ] && check_song "$work/multi/A_0.wav" 1
[ -f "$work/multi/00000000.wav" ] && check_song "$work/multi/00000000.wav" 2
grep -q '^recording: off' "$work/mode2.out" || fail "mode 2: the recording did not end with the last song"
[ "$(grep -c '^recording: on' "$work/mode2.out")" = 1 ] || fail "mode 2: the button went back to start between songs"

echo "== mode 3: the whole list into one file"
mkdir -p "$work/whole"
driver "$list" "$(winpath "$work/whole")" 3 whole >"$work/mode3.out" 2>/dev/null
segments "$work/whole/whole.wav"
first=$(value first_ref_frame "$work/whole/whole.wav.cmp")
last=$(value last_ref_frame "$work/whole/whole.wav.cmp")
echo "whole.wav: frames $first..$last of 0..$((3 * song_frames))"
le "$first" 4410 || fail "mode 3: starts at frame $first"
le $((3 * song_frames - 2205)) "$last" || fail "mode 3: ends at frame $last"
backwards=$(grep '^break:' "$work/whole/whole.wav.cmp" | grep -c 'ref_jump_frames=-' || true)
[ "$backwards" = 0 ] || fail "mode 3: the songs are not in order ($backwards jumps back)"

echo "== mode 1: one song"
mkdir -p "$work/one"
driver "$list" "$(winpath "$work/one")" 1 one.wav >"$work/mode1.out" 2>/dev/null
check_song "$work/one/one.wav" 0

echo "== mode 4: not linked"
mkdir -p "$work/free"
driver "$list" "$(winpath "$work/free")" 4 free --play-first --stop-after 1500 >"$work/mode4.out" 2>/dev/null
cat "$work/mode4.out"
grep -q '^playback-after: moving' "$work/mode4.out" || fail "mode 4: stopping the recording stopped playback"
segments "$work/free/free.wav"
le 44100 "$(value matched_frames "$work/free/free.wav.cmp")" || fail "mode 4: less than a second of the song recorded"

echo "== overwrite question answered No"
mkdir -p "$work/keep"
printf 'keep me' >"$work/keep/kept.wav"
driver "$list" "$(winpath "$work/keep")" 1 kept --answer no >"$work/keep.out" 2>/dev/null
grep -q '^overwrite-question: kept.wav' "$work/keep.out" || fail "no overwrite question"
grep -q '^recording: on' "$work/keep.out" && fail "No still recorded"
[ "$(cat "$work/keep/kept.wav")" = "keep me" ] || fail "the existing file was changed"

echo "== a second click and a close while the recording drains"
mkdir -p "$work/twice"
driver "$list" "$(winpath "$work/twice")" 2 "$(winpath "$work/twice")" --stop-after 700 --second-click \
    >"$work/twice.out" 2>/dev/null
cat "$work/twice.out"
[ "$(ls "$work/twice" | wc -l)" = 1 ] || fail "a click during the drain started another file"
grep -q '^dialog: closed' "$work/twice.out" || fail "the close during the drain was lost"
segments "$work/twice/A.wav"
[ "$(value runs "$work/twice/A.wav.cmp")" != "" ] || fail "the stopped file is not a valid WAVE file"

echo "$failures failure(s)"
[ "$failures" = 0 ]
