#!/usr/bin/env bash
# A short fuzz run: the fuzzer works on a copy of the seeds so the repository stays untouched.
#   smoke.sh FUZZER SEED_DIR SECONDS
set -euo pipefail
fuzzer=$1 seeds=$2 seconds=$3
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
[ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
exec "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 "$corpus"
