#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and
# runs each for the given seconds from its seed corpus, as many at once as there are jobs; any
# finding fails the run.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
jobs=${3:-$(nproc)}
here=$(cd "$(dirname "$0")" && pwd)
# Every fuzz_*.cpp of this folder is a target of the same name.
targets=()
for f in "$here"/fuzz_*.cpp; do
    targets+=("$(basename "$f" .cpp)")
done

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S "$here/.." -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="$flags" -DVELORIN_FUZZ=ON -DVELORIN_TESTS=OFF -DVELORIN_BENCH=OFF "${launcher[@]}"
cmake --build "$build" -j"$jobs" --target "${targets[@]}"

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
mkdir -p "$build/fuzz/findings"

run_one() {
    local t=$1 work="$build/fuzz/corpus/$1" seeds=()
    mkdir -p "$work"
    [ -d "$here/corpus/$t" ] && seeds=("$here/corpus/$t")
    # New inputs go to the work corpus; the committed seeds are only read.
    if "$build/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
        -print_final_stats=1 -artifact_prefix="$build/fuzz/findings/$t-" "$work" "${seeds[@]}" \
        >"$build/fuzz/$t.log" 2>&1; then
        echo "$t: $(grep -m1 'stat::number_of_executed_units' "$build/fuzz/$t.log" | awk '{print $2}') runs, no finding"
    else
        echo "$t: FINDING, see $build/fuzz/$t.log"
        tail -40 "$build/fuzz/$t.log"
        return 1
    fi
}

echo "== ${#targets[@]} targets, ${seconds} s each, $jobs at once"
pids=()
failed=0
for t in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
        sleep 1
    done
    run_one "$t" &
    pids+=($!)
done
for i in "${!pids[@]}"; do
    wait "${pids[$i]}" || failed=1
done
rm -rf /dev/shm/velorin-fuzz-* 2>/dev/null || true
exit $failed
