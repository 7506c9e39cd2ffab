#!/usr/bin/env bash
# Runs every libFuzzer program of a fuzz build (make fuzz) for SECONDS each,
# starting from a copy of its seed corpus in tests/fuzz/<name>/corpus (the
# copy grows; the seeds in the tree stay as they are). Prints executions per
# second and the corpus size of each; crashes, hangs and sanitizer reports go
# to BUILD/fuzz-artifacts and fail the run.
#   scripts/run-fuzzers.sh BUILD [SECONDS] [NAME...]
set -uo pipefail
build_dir=$1
seconds=${2:-600}
shift $(($# < 2 ? $# : 2))
root=$(cd "$(dirname "$0")/.." && pwd)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}
export SDL_AUDIODRIVER=dummy
artifacts="$build_dir/fuzz-artifacts"
mkdir -p "$artifacts"

names=("$@")
if [[ ${#names[@]} -eq 0 ]]; then
    for program in "$build_dir"/fuzz/fuzz_*; do names+=("${program##*/fuzz_}"); done
fi
failed=0
printf '%-14s %10s %12s %8s %10s\n' target runs exec/s files bytes
for name in "${names[@]}"; do
    corpus="$build_dir/fuzz-corpus/$name"
    mkdir -p "$corpus"
    cp -n "$root/tests/fuzz/$name/corpus/"* "$corpus/" 2>/dev/null
    log="$artifacts/$name.log"
    # close_fd_mask=1: the engine's log lines on standard output would
    # otherwise cost more than the parsing.
    "$build_dir/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 \
        -close_fd_mask=1 -print_final_stats=1 -artifact_prefix="$artifacts/$name-" \
        "$corpus" >"$log" 2>&1
    rc=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    files=$(find "$corpus" -type f | wc -l)
    bytes=$(find "$corpus" -type f -printf '%s\n' | awk '{ total += $1 } END { print total + 0 }')
    printf '%-14s %10s %12s %8s %10s\n' "$name" "${runs:-?}" "${speed:-?}" "$files" "$bytes"
    if [[ $rc -ne 0 ]]; then
        echo "fuzz: $name failed (status $rc), see $log"
        failed=1
    fi
done
exit $failed
