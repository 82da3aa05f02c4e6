#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz", clang with AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs each for SECONDS seconds (default 30): the flat data file reader, the telvainn.ini reader and
# the encrypted report reader. Fails on any crash, hang, leak or sanitizer report; the input that caused
# it is left in build/fuzz/findings. The corpora grow in build/fuzz/corpus from run to run, starting from
# the seeds in fuzz/corpus and samples/; a longer run by hand is just a larger SECONDS.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "Bruk: scripts/fuzz.sh [SEKUNDER]" >&2
    exit 2
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

work=build/fuzz
bin="$work/bin"
corpus="$work/corpus"
findings="$work/findings"
logs="$work/logs"
mkdir -p "$corpus/data_file" "$corpus/settings_file" "$corpus/encrypted_report" "$findings" "$logs"
# The fuzzers hand each input to the readers through a scratch file, and saving telvainn.ini syncs it to
# disk: in memory, where a sync costs nothing, a run gets through about ten times as many inputs.
scratch_parent="$work"
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    scratch_parent=/dev/shm
fi
scratch=$(mktemp -d "$scratch_parent/telvainn-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export TMPDIR="$scratch"

cp fuzz/corpus/data_file/* samples/datafil-eksempel.txt "$corpus/data_file/"
cp fuzz/corpus/settings_file/* "$corpus/settings_file/"
"$bin/fuzz_encrypted_report_seeds" "$corpus/encrypted_report" fuzz/corpus/data_file/* \
    samples/datafil-eksempel.txt >/dev/null

failed=0
for target in data_file settings_file encrypted_report; do
    log="$logs/$target.log"
    status=0
    "$bin/fuzz_$target" "$corpus/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$findings/$target-" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n 1)
    time=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\2/p' "$log" | tail -n 1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *\([0-9]*\)/\1/p' "$log" | tail -n 1)
    # A report that did not end the run (a sanitizer set to go on) still counts.
    if [ "$status" -ne 0 ] || [ -z "$runs" ] ||
        grep -qE '^==[0-9]+==ERROR|runtime error:|^SUMMARY: (Address|UndefinedBehavior|Leak)Sanitizer' "$log"; then
        echo "fuzz_$target: FEIL (exit $status), se $log og $findings"
        grep -E 'ERROR|runtime error:|Broken promise|^SUMMARY|^artifact_prefix|Test unit written' "$log" | head -n 20
        failed=1
    else
        echo "fuzz_$target: $runs kjøringer på ${time} s (${rate:-?}/s), korpus $(ls "$corpus/$target" | wc -l) filer"
    fi
done
exit "$failed"
