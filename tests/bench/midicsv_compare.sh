#!/usr/bin/env bash
# Times MidiSequence against midicsv (an independent MIDI file reader) on the benchmark's 1 MB file
# and prints both figures and their ratio.
#   tests/bench/midicsv_compare.sh BUILD/tests/bench/BenchMidi [RUNS]
set -euo pipefail
bench=$1 runs=${2:-10}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
MX_BENCH_MIDI_DIR=$dir "$bench" --benchmark_filter='BM_LoadLargeSmf$' --benchmark_format=json \
    --benchmark_min_time=0.5 >"$dir/bench.json"
ours_ms=$(python3 -c 'import json,sys; b=json.load(open(sys.argv[1]))["benchmarks"][0]; print("%.3f" % (b["real_time"] * {"ms":1,"us":1e-3,"ns":1e-6}[b["time_unit"]]))' "$dir/bench.json")
best_ns=
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    midicsv "$dir/large.mid" >/dev/null
    end=$(date +%s%N)
    elapsed=$((end - start))
    if [ -z "$best_ns" ] || [ "$elapsed" -lt "$best_ns" ]; then best_ns=$elapsed; fi
done
midicsv_ms=$(python3 -c "print('%.3f' % ($best_ns / 1e6))")
echo "file: $(stat -c %s "$dir/large.mid") bytes"
echo "midisequence-load-ms: $ours_ms"
echo "midicsv-best-of-$runs-ms: $midicsv_ms"
python3 -c "print('ratio: %.3f' % ($ours_ms / $midicsv_ms))"
