#!/usr/bin/env bash
# Installs what is missing, builds both configurations and runs every test: the native units,
# fuzz smoke runs, then the Windows tests under Wine on the test bench. Ends with one line
# "N passed, N failed" and exits non-zero when any test failed.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh || exit 1
bash scripts/build.sh all || { echo "0 passed, 1 failed"; exit 1; }

mkdir -p build/logs
passed=0
failed=0

# Adds one ctest run's counts to the totals ("N% tests passed, F tests failed out of T").
count_ctest() {
    local log=$1 line total failures
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
    if [ -z "$line" ]; then
        echo "test: no ctest summary in $log" >&2
        failed=$((failed + 1))
        return
    fi
    failures=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
    total=$(echo "$line" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
    passed=$((passed + total - failures))
    failed=$((failed + failures))
}

echo "== native tests"
ctest --test-dir build/native -j 2 --output-on-failure --timeout 300 2>&1 | tee build/logs/native.log | tail -n 25
count_ctest build/logs/native.log

skipped=0
if scripts/winebench.sh can-run 2>/dev/null; then
    echo "== Windows tests under Wine"
    # The scenarios start and close real players, so these run one at a time.
    scripts/winebench.sh run -- ctest --test-dir build/win -j 1 --output-on-failure --timeout 300 2>&1 \
        | tee build/logs/win.log | tail -n 25
    count_ctest build/logs/win.log
else
    # The Windows build above still compiled every Windows program and test; only running them
    # needs Wine. (ctest cannot even list them: their cases are discovered by running them.) Each
    # test program and checking script counts as one skipped test.
    skipped=$(cat tests/win32/CMakeLists.txt $(find tests/scenario -name CMakeLists.txt) \
        | grep -cE '^[[:space:]]*(gtest_discover_tests|add_test)\(' || true)
    echo "== Windows tests under Wine: NOT RUN ($skipped test programs and scripts): $(scripts/winebench.sh can-run 2>&1)"
fi

# What the failing tests said, repeated at the end where a shortened log still shows it: each
# failing test's own lines that name a failure, at most 30 per test.
failure_digest() {
    local log=$1
    awk '
        / Test +#[0-9]+: / { current = ($0 ~ /\*\*\*/) ? $0 : ""; shown = 0
                             if (current != "") print "-- " current; next }
        /^ *Start +[0-9]+: / { current = ""; next }
        current != "" && shown < 30 && /FAIL|[Ff]ailure|[Ee]rror|Expected|Which is|[Vv]alue of|[Aa]ctual|timed out/ {
            print "   " $0; shown++ }
    ' "$log"
}
if [ "$failed" -gt 0 ]; then
    echo "== failures"
    failure_digest build/logs/native.log
    [ -f build/logs/win.log ] && failure_digest build/logs/win.log
fi

if [ "$skipped" -gt 0 ]; then
    echo "$passed passed, $failed failed, $skipped skipped"
else
    echo "$passed passed, $failed failed"
fi
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
