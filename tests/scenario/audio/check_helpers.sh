# Shared by the audio checks that capture the null sink's monitor (sourced, not run). Expects
# $work (a scratch folder) to be set by the caller.

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
winpath() { echo "Z:${1//\//\\}"; }
# value KEY FILE: the first "KEY: value" of a report (Wine's console ends lines with CR LF).
value() { grep -m1 "^$1: " "$2" | cut -d' ' -f2 | tr -d '\r'; }
le() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a <= b) }'; }

# capture NAME RATE CHANNELS -- COMMAND...: records the monitor while COMMAND runs; the
# command's report goes to NAME.out, the audio to NAME.raw.
capture() {
    local name=$1 rate=$2 channels=$3
    shift 4
    parec -d nul.monitor --raw --latency-msec=20 --format=s16le --channels="$channels" --rate="$rate" \
        >"$work/$name.raw" &
    local recorder=$!
    sleep 0.3
    "$@" >"$work/$name.out" 2>/dev/null || true
    # parec loses what it still buffers when it is killed.
    sleep 0.8
    kill "$recorder"
    wait "$recorder" 2>/dev/null || true
}
