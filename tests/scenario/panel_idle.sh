#!/usr/bin/env bash
# CPU seconds the player uses while a WAVE song is stopped, paused and playing, SECONDS each.
# Runs inside the Wine bench; PanelBench.exe drives the player and marks the phases, and the
# player's host process is read here, because Wine reports no CPU times for another process.
#   tests/scenario/panel_idle.sh BIN_DIR [SECONDS]
set -euo pipefail
bin=$1
seconds=${2:-60}
ticks=$(getconf CLK_TCK)

# The player is the host process whose command line names the bench's song.
player_ticks() {
    local pid
    pid=$(pgrep -f 'panelbench.long\.wav' | head -1 || true)
    [ -n "$pid" ] || { echo -1; return; }
    # utime and stime are fields 14 and 15; the command name holds no blanks.
    awk '{ print $14 + $15 }' "/proc/$pid/stat"
}

declare -A at
while read -r key value; do
    value=${value%$'\r'}
    case "$key" in
        mark) at[$value]=$(player_ticks) ;;
        *) echo "$key $value" ;;
    esac
done < <(wine "$bin/PanelBench.exe" idle "$seconds" "Z:$bin/Melodrix.exe" 2>/dev/null)

for phase in stopped paused playing; do
    begin=${at[${phase}_begin]:--1}
    end=${at[${phase}_end]:--1}
    if [ "$begin" -lt 0 ] || [ "$end" -lt 0 ]; then
        echo "cpu_${phase}_s: unknown (player not found)"
        continue
    fi
    awk -v b="$begin" -v e="$end" -v t="$ticks" -v s="$seconds" -v p="$phase" \
        'BEGIN { printf "cpu_%s_s: %.2f (%.1f%% of one core)\n", p, (e - b) / t, 100 * (e - b) / t / s }'
done
