#!/bin/sh
# Builds a fuzzer with clang and runs it for a while; fails when it finds
# anything (the input is kept in the build folder as crash-*, timeout-*,
# oom-*...).
#
#   run_fuzz.sh BUILD_DIR SECONDS [BUILD_JOBS] [TARGET]
#
# TARGET is fuzz_settings (the default: the settings loader, seeded with the
# test fixtures) or fuzz_receiver (the receiver's request parsers). New
# inputs that reach further go to BUILD_DIR/corpus, so each run starts where
# the last one stopped.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=$1
seconds=$2
jobs=${3:-2}
target=${4:-fuzz_settings}
case "$target" in
fuzz_settings) dict=settings.dict max_len=8192 seeds="$here/../tests/data/settings" ;;
fuzz_receiver) dict=receiver.dict max_len=4200 seeds= ;;
*) echo "unknown fuzz target $target" >&2; exit 2 ;;
esac

# 77: skipped, for ctest.
if ! command -v clang++ >/dev/null 2>&1; then
    echo "skipped: clang++ is not installed (Debian packages clang and libclang-rt-14-dev)"
    exit 77
fi
runtime=$(clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a 2>/dev/null || true)
case "$runtime" in
/*) [ -f "$runtime" ] || runtime= ;;
*) runtime= ;;
esac
if [ -z "$runtime" ] && [ "$(uname -m)" = x86_64 ]; then
    echo "skipped: clang's fuzzer runtime is not installed (Debian package libclang-rt-14-dev)"
    exit 77
fi

cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --target "$target" -j "$jobs" >/dev/null

mkdir -p "$build/corpus"
# Too slow or too greedy counts as a finding too: a settings file of a few
# kilobytes must load in well under a second, and a frame parse faster.
"$build/$target" \
    -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -max_len="$max_len" \
    -dict="$here/$dict" -artifact_prefix="$build/" -print_final_stats=1 \
    "$build/corpus" $seeds 2>"$build/fuzz.log" && status=0 || status=$?

grep -E '^(INFO: Seed|#[0-9]+[[:space:]]+DONE|Done [0-9]+ runs|stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb))' \
    "$build/fuzz.log" || true
echo "corpus: $(ls "$build/corpus" | wc -l) inputs in $build/corpus"
if [ "$status" -ne 0 ]; then
    echo "FOUND something (exit $status); the fuzzer said:"
    tail -n 60 "$build/fuzz.log"
    exit 1
fi
echo "nothing found in $seconds s"
