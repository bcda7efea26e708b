#!/usr/bin/env bash
# Starts the real player with a command line, closes it, and reads back what it saved with
# Wine's own "reg export" and with mxtool.exe: value types, Shift-JIS texts, history and drive.
# Runs inside the test bench (WINEPREFIX set).   registry_export_check.sh BIN_DIR
set -euo pipefail
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

wine reg delete 'HKCU\Software\Veqo\Melodrix' /f >/dev/null 2>&1 || true

# Wine turns the UTF-8 argument into the program's Shift-JIS command line.
wine "$bin/Melodrix.exe" /add '曲 1.mid' E: >/dev/null 2>&1 &
player=$!
# The player reads its command line before it makes its window, so a window on the display means
# the options have taken effect. The 20 s limits here are safety nets, not judgements of speed.
shown=0
for _ in $(seq 1 200); do
    xdotool search --name '^Melodrix$' >/dev/null 2>&1 && { shown=1; break; }
    sleep 0.1
done
[ "$shown" = 1 ] || fail "the player's window never appeared"
# taskkill without /f posts WM_CLOSE, the same path as closing the window; the player saves its
# settings when its message loop ends.
wine taskkill /im Melodrix.exe >/dev/null 2>&1 || fail "taskkill"
for _ in $(seq 1 200); do
    kill -0 "$player" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$player" 2>/dev/null && fail "the player did not end after WM_CLOSE"

wine reg export 'HKCU\Software\Veqo\Melodrix\2' "Z:${work//\//\\}\\out.reg" /y >/dev/null 2>&1 \
    || fail "reg export"
iconv -f utf-16 -t utf-8 "$work/out.reg" | tr -d '\r' >"$work/out.txt"

expect() {
    grep -qxF -- "$1" "$work/out.txt" || { cat "$work/out.txt" >&2; fail "missing line: $1"; }
}
expect '[HKEY_CURRENT_USER\Software\Veqo\Melodrix\2\Player]'
expect '"BootMode"=dword:00000001'
expect '"FlatWidth"=dword:00000280'
expect '"Text_x"=dword:80000000'
expect '[HKEY_CURRENT_USER\Software\Veqo\Melodrix\2\File\History]'
expect '"0000"="曲 1.mid"'
expect '[HKEY_CURRENT_USER\Software\Veqo\Melodrix\2\CD]'
# E: is no CD-ROM drive in the bench, so the CD play mode takes its first one, D:.
expect '"LastDrive"="D:"'
expect '"ListEditLastWildCard"="*.*"'
expect '"CD_Volume_ID"=dword:ffff0000'
# The font record: height 12, then the face name in Shift-JIS at offset 28.
grep -q '^"Font"=hex:0c,00,00,00,' "$work/out.txt" || fail "Font is not the 60-byte record"
grep -A3 '^"Font"=' "$work/out.txt" | tr -d ' \\\n' | grep -q '95,57,8f,80,83,53,83,56,83,62,83,4e' \
    || fail "Font face is not 標準ゴシック in Shift-JIS"
grep -q '^"Format"=hex:01,00,01,00,11,2b,00,00,11,2b,00,00,01,00,08,00,00,00$' "$work/out.txt" \
    || fail "Format is not the 18-byte PCM record"

# mxtool.exe reads the same settings back through the program's own walk.
wine "$bin/mxtool.exe" settings 2>/dev/null | iconv -f cp932 -t utf-8 | tr -d '\r' >"$work/tool.txt"
for line in 'File\History\0000: 曲 1.mid' 'CD\LastDrive: D:' 'Player\BootMode: 1' 'File\LastSong: 0'; do
    grep -qxF -- "$line" "$work/tool.txt" || { cat "$work/tool.txt" >&2; fail "mxtool missing: $line"; }
done
wine reg delete 'HKCU\Software\Veqo\Melodrix' /f >/dev/null 2>&1 || true
echo "registry export check passed"
