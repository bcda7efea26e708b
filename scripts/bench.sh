#!/usr/bin/env bash
# Runs the benchmarks and prints their figures: the native Google Benchmark programs (built
# without sanitizers) and, under Wine, the player's start-up time against a minimal program.
#   scripts/bench.sh [native|wine|stream|panel|record|rcp|all]
set -euo pipefail
cd "$(dirname "$0")/.."
which=${1:-all}

if [ "$which" = native ] || [ "$which" = all ]; then
    bash scripts/build.sh native
    for bench in build/native/tests/bench/Bench*; do
        [ -x "$bench" ] || continue
        echo "== $(basename "$bench")"
        "$bench" --benchmark_min_time=0.2
    done
fi

if [ "$which" = wine ] || [ "$which" = all ]; then
    bash scripts/build.sh win Melodrix MinimalWindow StartupTimer
    bin=$(pwd)/build/win/bin
    echo "== start-up time under Wine (Melodrix.exe against a minimal window program)"
    scripts/winebench.sh run -- wine "$bin/StartupTimer.exe" "${MX_STARTUP_RUNS:-15}" \
        "Z:$bin/Melodrix.exe" "Z:$bin/MinimalWindow.exe" 2>/dev/null
fi

if [ "$which" = stream ] || [ "$which" = all ]; then
    bash scripts/build.sh win StreamPlay
    echo "== WAVE/MP3 stream player under Wine (CPU against MCI, dropouts, open time)"
    bash scripts/bench-stream.sh "$(pwd)/build/win/bin"
fi

if [ "$which" = panel ] || [ "$which" = all ]; then
    bash scripts/build.sh win Melodrix MinimalWindow ButtonsWindow PanelBench
    bin=$(pwd)/build/win/bin
    echo "== player panel under Wine: first full paint against a minimal window program"
    scripts/winebench.sh run -- wine "$bin/PanelBench.exe" paint "${MX_STARTUP_RUNS:-15}" \
        "Z:$bin/Melodrix.exe" "Z:$bin/MinimalWindow.exe" 2>/dev/null
    echo "== the system's own share: the same window with 23 plain owner-drawn buttons, same measure"
    scripts/winebench.sh run -- wine "$bin/PanelBench.exe" paint "${MX_STARTUP_RUNS:-15}" \
        "Z:$bin/ButtonsWindow.exe" "Z:$bin/MinimalWindow.exe" 2>/dev/null
    echo "== player CPU time under Wine: stopped, paused and playing a WAVE song"
    scripts/winebench.sh run -- bash tests/scenario/panel_idle.sh "$bin" "${MX_IDLE_SECONDS:-60}"
fi

if [ "$which" = record ] || [ "$which" = all ]; then
    bash scripts/build.sh win Melodrix RecordDriver
    bin=$(pwd)/build/win/bin
    echo "== recorder under Wine: player CPU while recording, and nothing lost in a linked recording"
    scripts/winebench.sh run -- bash tests/scenario/record/record_bench.sh "$bin" "${MX_RECORD_SECONDS:-60}"
fi

if [ "$which" = rcp ] || [ "$which" = all ]; then
    bash scripts/build.sh win RcpOpenTimer
    echo "== open-to-play under Wine: a converted Recomposer song against the MIDI file of the same notes"
    scripts/winebench.sh run -- wine "$(pwd)/build/win/bin/RcpOpenTimer.exe" "${MX_STARTUP_RUNS:-15}" 2>/dev/null
fi
