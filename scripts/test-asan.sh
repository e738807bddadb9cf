#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in a build folder of its
# own and runs the whole test suite; the first report stops the test and fails the run.
set -euo pipefail
build=${1:-build-asan}
jobs=${2:-$(nproc)}
here=$(cd "$(dirname "$0")" && pwd)

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S "$here/.." -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" -DVELORIN_BENCH=OFF "${launcher[@]}"
cmake --build "$build" -j"$jobs"

export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$here/sanitizers/lsan.supp:print_suppressions=0"
cd "$build"
# The install test checks that the package carries every library the program links; a sanitizer build
# links the sanitizer runtimes, which no package carries, so that one test belongs to the ordinary run.
ctest --output-on-failure -j"$jobs" -E '^packaging_install$'
