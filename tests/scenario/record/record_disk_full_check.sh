#!/usr/bin/env bash
# Records onto a tiny drive until it is full: the recording stops at once with the message that
# the disk is full, and the file left behind is a valid WAVE file whose RIFF and data sizes match
# what it holds, and what it holds is the song that played. The drive is a 512 KB tmpfs mapped
# as Wine's drive R:; the check is skipped (77) where no tmpfs can be mounted.
# Runs inside the test bench (WINEPREFIX, DISPLAY and the null sink "nul").
#   record_disk_full_check.sh BIN_DIR
set -euo pipefail
bin=$1
here=$(cd "$(dirname "$0")" && pwd)
audio=$(cd "$here/../audio" && pwd)
work=$(mktemp -d)
small="$work/small"
mounted=
cleanup() {
    rm -f "$WINEPREFIX/dosdevices/r:"
    if [ -n "$mounted" ]; then
        $mounted umount "$small" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
. "$audio/check_helpers.sh"

mkdir -p "$small"
if [ "$(id -u)" = 0 ] && mount -t tmpfs -o size=512k tmpfs "$small" 2>/dev/null; then
    mounted=" "
elif sudo -n mount -t tmpfs -o size=512k tmpfs "$small" 2>/dev/null; then
    mounted="sudo -n"
else
    echo "SKIP: no tmpfs can be mounted here"
    exit 77
fi
ln -sfn "$small" "$WINEPREFIX/dosdevices/r:"

c++ -O2 -std=c++17 -o "$work/AudioCompare" "$audio/AudioCompare.cpp"
sox -R -n -r 44100 -c 2 -b 16 "$work/song.wav" synth 8 whitenoise vol 0.5 2>/dev/null
sox "$work/song.wav" -t raw "$work/song.raw"
printf 'Melodrix2.0 PlayList,Full,100,\r\n%s,Song,,100,-300,0\r\n' "$(winpath "$work/song.wav")" >"$work/list.rpl"

wine "$bin/RecordDriver.exe" "$(winpath "$bin/Melodrix.exe")" "$(winpath "$work/list.rpl")" 'R:\' 1 full \
    >"$work/full.out" 2>/dev/null || true
cat "$work/full.out"
grep -q '^message: .* reason=disk-full' "$work/full.out" || fail "no message that the disk is full"
grep -q '^recording: off' "$work/full.out" || fail "the recording did not stop"

file="$small/full.wav"
[ -f "$file" ] || { fail "no file"; exit 1; }
size=$(stat -c %s "$file")
riff=$(od -An -tu4 -j4 -N4 "$file" | tr -d ' ')
data=$(od -An -tu4 -j42 -N4 "$file" | tr -d ' ')
echo "file $size bytes, RIFF size $riff, data size $data"
[ "$riff" = $((size - 8)) ] || [ "$riff" = $((size - 9)) ] || fail "RIFF size $riff does not match the file"
[ "$data" -le $((size - 46)) ] && [ "$data" -ge $((size - 47)) ] || fail "data size $data does not match the file"
le 100000 "$data" || fail "only $data bytes were recorded before the disk filled"
sox -t wav "$file" -t raw "$work/full.raw" || fail "the file is not a valid WAVE file"
"$work/AudioCompare" segments "$work/song.raw" "$work/full.raw" 2 >"$work/full.cmp"
le 22050 "$(value matched_frames "$work/full.cmp")" || fail "the file does not hold the song"

echo "$failures failure(s)"
[ "$failures" = 0 ]
