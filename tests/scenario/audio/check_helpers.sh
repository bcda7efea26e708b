# Shared by the audio checks that capture the null sink's monitor (sourced, not run). Expects
# $work (a scratch folder) to be set by the caller.

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
winpath() { echo "Z:${1//\//\\}"; }
# value KEY FILE: the first "KEY: value" of a report (Wine's console ends lines with CR LF).
value() { grep -m1 "^$1: " "$2" | cut -d' ' -f2 | tr -d '\r'; }
le() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a <= b) }'; }

# wait_for_size FILE BYTES: until FILE holds at least BYTES; the 20 s limit is a safety net
# against a recorder that never delivers, not a judgement of speed.
wait_for_size() {
    local file=$1 bytes=$2 tries=2000
    while [ "$(stat -c %s "$file" 2>/dev/null || echo 0)" -lt "$bytes" ] && [ "$tries" -gt 0 ]; do
        sleep 0.01
        tries=$((tries - 1))
    done
    [ "$tries" -gt 0 ] || echo "capture: $file stayed below $bytes bytes" >&2
}

# capture NAME RATE CHANNELS -- COMMAND...: records the monitor while COMMAND runs; the
# command's report goes to NAME.out, the audio to NAME.raw.
capture() {
    local name=$1 rate=$2 channels=$3
    shift 4
    local second=$((rate * channels * 2))
    parec -d nul.monitor --raw --latency-msec=20 --format=s16le --channels="$channels" --rate="$rate" \
        >"$work/$name.raw" &
    local recorder=$!
    # The monitor runs all the time (the bench keeps a recorder on it), so the first 20 ms of
    # data mean the recording has started.
    wait_for_size "$work/$name.raw" $((second / 50))
    "$@" >"$work/$name.out" 2>/dev/null || true
    # parec loses what it still buffers when it is killed: stop it only once it has delivered
    # 0.8 s more than it had when the command ended, which covers the end of what was played.
    wait_for_size "$work/$name.raw" $(($(stat -c %s "$work/$name.raw") + second * 4 / 5))
    kill "$recorder"
    wait "$recorder" 2>/dev/null || true
}
