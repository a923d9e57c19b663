#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs every fuzz target on a scratch copy of its seed corpus, prints the
# executions per target and in total, and fails on any crash.
#   tests/fuzz/run_all.sh <builddir> [seconds per target]
#       bounded by time, one target after another (the CI runs)
#   tests/fuzz/run_all.sh --runs <executions> <builddir>
#       bounded by executions, one target per core at a time (the long runs)
set -uo pipefail
runs=""
if [ "${1:-}" = "--runs" ]; then
    runs=${2:?usage: run_all.sh --runs <executions> <builddir>}
    shift 2
fi
build=$(cd "${1:?usage: run_all.sh <builddir> [seconds]}" && pwd)
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# A short allocation history and a small quarantine: the default ones make the
# allocator the bulk of the work and let a run grow to a gigabyte. Freed memory
# is still poisoned, and a crash input replays with any options.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=8:quarantine_size_mb=32}

# Inputs larger than a few lines only slow the search for new paths.
declare -A max_len=(
    [fuzz_book_file]=4096
    [fuzz_cp932]=256
    [fuzz_postcode_search]=4096
    [fuzz_kanji_numerals]=256
    [fuzz_book_text]=4096
    [fuzz_google_csv]=4096
    [fuzz_vcard]=4096
    [fuzz_header_csv]=4096
    [fuzz_column_choice]=4096
)
targets=(fuzz_book_file fuzz_cp932 fuzz_postcode_search fuzz_kanji_numerals
    fuzz_book_text fuzz_google_csv fuzz_vcard fuzz_header_csv fuzz_column_choice)

# run_target <name>: runs one target and leaves its exit status in <name>.status.
run_target() {
    local target=$1
    local exe="$build/fuzz/$target"
    local corpus="$scratch/$target"
    local bound=(-max_total_time="$seconds")
    [ -n "$runs" ] && bound=(-runs="$runs")
    cp -r "$here/corpus/$target" "$corpus"
    local start=$SECONDS
    # Crash inputs land in the scratch folder and are printed below.
    (cd "$scratch" && "$exe" "${bound[@]}" -max_len="${max_len[$target]}" \
        -print_final_stats=1 -artifact_prefix="$scratch/$target-" "$corpus") \
        >"$scratch/$target.log" 2>&1
    echo "$? $((SECONDS - start))" >"$scratch/$target.status"
}

jobs=1
[ -n "$runs" ] && jobs=$(nproc 2>/dev/null || echo 2)
failed=()
for target in "${targets[@]}"; do
    if [ ! -x "$build/fuzz/$target" ]; then
        echo "$target: not built ($build/fuzz/$target)" >&2
        failed+=("$target")
        continue
    fi
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
        wait -n
    done
    run_target "$target" &
done
wait

total=0
for target in "${targets[@]}"; do
    [ -e "$scratch/$target.status" ] || continue
    read -r status elapsed <"$scratch/$target.status"
    log="$scratch/$target.log"
    executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    executed=${executed:-0}
    total=$((total + executed))
    if [ "$status" -ne 0 ]; then
        echo "$target: FAILED after $executed executions (exit $status)"
        tail -40 "$log"
        for artifact in "$scratch/$target"-*; do
            [ -e "$artifact" ] || continue
            echo "input $(basename "$artifact"):"
            od -A d -t x1 "$artifact" | head -20
        done
        failed+=("$target")
    else
        rate=$((executed / (elapsed > 0 ? elapsed : 1)))
        echo "$target: $executed executions in ${elapsed}s ($rate per second)"
    fi
done
echo "total: $total executions"
if [ ${#failed[@]} -ne 0 ]; then
    echo "failed: ${failed[*]}" >&2
    exit 1
fi
