#!/usr/bin/env bash
# Plays generated WAVE songs through a real file play mode (FilePlayHarness.exe) and checks what
# reaches the null sink's monitor: the songs of a play list arrive in order with the silence the
# list sets before one of them, the repeating order plays on, the random orders play every song
# once per round, and the song volume is written and put back. Prints the time from each end
# notification to the next song's sound.
# Runs inside the test bench (WINEPREFIX, DISPLAY and the null sink "nul").
#   file_play_check.sh BIN_DIR
set -euo pipefail
bin=$1
here=$(cd "$(dirname "$0")" && pwd)
audio=$(cd "$here/../audio" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$audio/check_helpers.sh"

c++ -O2 -std=c++17 -o "$work/AudioCompare" "$audio/AudioCompare.cpp"

# Three songs of one second each, cut from one run of deterministic noise, so that every stretch
# of the capture names exactly one song and one place in it.
song_frames=44100
sox -R -n -r 44100 -c 2 -b 16 "$work/noise.wav" synth 3 whitenoise vol 0.5 2>/dev/null
sox "$work/noise.wav" -t raw "$work/noise.raw"
for i in 0 1 2; do
    sox "$work/noise.wav" "$work/song$i.wav" trim "${i}" 1
done
# The second song at half volume with half a second of silence before it.
printf 'Melodrix2.0 PlayList,Bench list,100,\r\n%s,Song 0,,100,-300,0\r\n%s,Song 1,,50,-300,500\r\n%s,Song 2,,100,-300,0\r\n' \
    "$(winpath "$work/song0.wav")" "$(winpath "$work/song1.wav")" "$(winpath "$work/song2.wav")" >"$work/list.rpl"
list=$(winpath "$work/list.rpl")

harness() { wine "$bin/FilePlayHarness.exe" "$@"; }

# heard NAME: the songs found in the capture, one line each: "song gap_ms" (gap: silence since the
# previous song ended; - for the first). A song starts where the capture's exact run of the
# reference moves to another song, or back to the start of the same one.
heard() {
    "$work/AudioCompare" segments "$work/noise.raw" "$work/$1.raw" 2 >"$work/$1.cmp"
    awk -v frames=$song_frames '
        /^first_ref_frame:/ { ref = $2; print int(ref / frames), "-"; last = int(ref / frames) }
        /^break:/ {
            split($2, a, "="); split($3, g, "="); split($4, j, "=")
            ref = a[2]; song = int(ref / frames)
            if (song != last || j[2] < -frames / 2) {
                printf "%d %.0f\n", song, g[2] * 1000 / 44100
                last = song
            }
        }' "$work/$1.cmp"
}

# The first stream of a fresh sound server starts late; warm it up.
harness --songs 1 --timeout 3000 "$(winpath "$work/song0.wav")" >/dev/null 2>&1 || true

# check_order NAME EXPECTED: the songs heard and the songs the harness reported, in order.
check_order() {
    local name=$1 expected=$2 heard_order reported
    heard "$name" >"$work/$name.heard"
    heard_order=$(cut -d' ' -f1 "$work/$name.heard" | tr '\n' ' ' | sed 's/ $//')
    reported=$(grep '^song: ' "$work/$name.out" | sed 's/.* index=\([0-9]*\) .*/\1/' | tr -d '\r' | tr '\n' ' ' |
        sed 's/ $//')
    echo "$name: heard [$heard_order], reported [$reported], gaps (ms) [$(cut -d' ' -f2 "$work/$name.heard" |
        tr '\n' ' ' | sed 's/ $//')], switch (ms) [$(grep '^switch: ' "$work/$name.out" |
        sed 's/.* ms=\([0-9.]*\) .*/\1/' | tr -d '\r' | tr '\n' ' ' | sed 's/ $//')]"
    [ "$heard_order" = "$reported" ] || fail "$name: heard [$heard_order] but the mode reported [$reported]"
    if [ -n "$expected" ]; then
        [ "$reported" = "$expected" ] || fail "$name: played [$reported], expected [$expected]"
    fi
}

# Normal order: the three songs in list order, then the queue stops at its end.
capture normal 44100 2 -- harness --order 0 --songs 3 "$list"
check_order normal "0 1 2"
[ "$(value notifications "$work/normal.out")" = 3 ] || fail "normal: $(value notifications "$work/normal.out") notifications"
[ "$(value final_state "$work/normal.out")" = 525 ] || fail "normal: not stopped at the end"
[ "$(value final_position "$work/normal.out")" = 0 ] || fail "normal: not back at the first song"
# The list's 500 ms of silence before the second song; the other switches are quick.
gap1=$(awk '$1 == 1 { print $2; exit }' "$work/normal.heard")
gap2=$(awk '$1 == 2 { print $2; exit }' "$work/normal.heard")
echo "normal: silence before song 1: ${gap1:-none} ms, before song 2: ${gap2:-none} ms"
{ le 480 "${gap1:-0}" && le "${gap1:-9999}" 700; } || fail "normal: ${gap1:-no} ms before the song with 500 ms of silence"
le "${gap2:-9999}" 200 || fail "normal: ${gap2:-no} ms between songs without silence"
grep -q '^switch: n=1 .* silence_ms=500 ' "$work/normal.out" || fail "normal: the silence was not waited"

# Song volume: the second song's 50 % is written when it starts and the level is put back when it
# ends. Wine takes wave-out volumes only on an open handle, so by device id the writes are refused
# and the read-back fails; both are reported.
grep '^volume_set: ' "$work/normal.out" | tr -d '\r' | sed 's/^/normal: /'
half=$(grep -c '^volume_set: .* value=0x7FFF7FFF ' "$work/normal.out" || true)
[ "$half" -ge 1 ] || fail "normal: the song's half volume was never written"
last_write=$(grep '^volume_set: ' "$work/normal.out" | tail -1 | sed 's/.* value=\(0x[0-9A-F]*\) .*/\1/')
[ "$last_write" = 0xFFFFFFFF ] || fail "normal: the volume was left at $last_write"

# Repeat: the list plays on past its end.
capture repeat 44100 2 -- harness --order 1 --songs 5 "$list"
check_order repeat "0 1 2 0 1"

# Random: every song once, then the queue stops; random repeat: every song once per round.
capture random 44100 2 -- harness --order 2 --songs 3 "$list"
check_order random ""
[ "$(grep '^song: ' "$work/random.out" | sed 's/.* index=\([0-9]*\) .*/\1/' | sort | tr -d '\r\n')" = 012 ] \
    || fail "random: not every song once"
[ "$(value final_state "$work/random.out")" = 525 ] || fail "random: not stopped at the end"

capture randomrepeat 44100 2 -- harness --order 3 --songs 6 "$list"
check_order randomrepeat ""
for round in 1 2; do
    songs=$(grep '^song: ' "$work/randomrepeat.out" | sed 's/.* index=\([0-9]*\) .*/\1/' | tr -d '\r' |
        sed -n "$((round * 3 - 2)),$((round * 3))p" | sort | tr -d '\n')
    [ "$songs" = 012 ] || fail "random repeat: round $round played [$songs]"
done

# Companions: a script named on its own plays its MIDI song on the sequencer and gets the WRD
# screen; the song's text opens in the viewer. The windows open, close and open again.
printf 'MThd\0\0\0\6\0\0\0\1\0\140MTrk\0\0\0\15\0\220\74\100\203\140\200\74\0\0\377\57\0' >"$work/tune.mid"
printf '@COLOR(33)\r\nHello\r\n' >"$work/tune.wrd"
printf 'Notes of the tune\r\n' >"$work/tune.txt"
harness --companions 1 "$(winpath "$work/tune.wrd")" >"$work/companions.out" 2>/dev/null || true
echo "companions: $(tr -d '\r' <"$work/companions.out" | grep -v '^seed: ' | tr '\n' ' ')"
for expected in "opened: $(winpath "$work/tune.mid")" "device_type: 523" "text_open: 1" "wrd_open: 1" \
    "wrd_open_after_close: 0" "wrd_open_after_reopen: 1" "text_open_after_close: 0" "wrd_open_after_deactivate: 0"; do
    tr -d '\r' <"$work/companions.out" | grep -qxF "$expected" || fail "companions: no \"$expected\""
done

[ "$failures" = 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "file play check passed"
