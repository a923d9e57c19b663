#!/usr/bin/env bash
# Runs every fuzz target for a bounded time on a scratch copy of its seed
# corpus, prints the executions per target and in total, and fails on any crash.
#   tests/fuzz/run_all.sh <builddir> [seconds per target]
set -uo pipefail
build=$(cd "${1:?usage: run_all.sh <builddir> [seconds]}" && pwd)
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Inputs larger than a few lines only slow the search for new paths.
declare -A max_len=(
    [fuzz_book_file]=4096
    [fuzz_cp932]=256
    [fuzz_postcode_search]=4096
    [fuzz_kanji_numerals]=256
)

total=0
failed=()
for target in fuzz_book_file fuzz_cp932 fuzz_postcode_search fuzz_kanji_numerals; do
    exe="$build/fuzz/$target"
    if [ ! -x "$exe" ]; then
        echo "$target: not built ($exe)" >&2
        failed+=("$target")
        continue
    fi
    corpus="$scratch/$target"
    cp -r "$here/corpus/$target" "$corpus"
    log="$scratch/$target.log"
    # Crash inputs land in the scratch folder and are printed below.
    (cd "$scratch" && "$exe" -max_total_time="$seconds" -max_len="${max_len[$target]}" \
        -print_final_stats=1 -artifact_prefix="$scratch/$target-" "$corpus") >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    runs=${runs:-0}
    total=$((total + runs))
    if [ "$status" -ne 0 ]; then
        echo "$target: FAILED after $runs executions (exit $status)"
        tail -40 "$log"
        for artifact in "$scratch/$target"-*; do
            [ -e "$artifact" ] || continue
            echo "input $(basename "$artifact"):"
            od -A d -t x1 "$artifact" | head -20
        done
        failed+=("$target")
    else
        echo "$target: $runs executions in ${seconds}s"
    fi
done
echo "total: $total executions"
if [ ${#failed[@]} -ne 0 ]; then
    echo "failed: ${failed[*]}" >&2
    exit 1
fi
