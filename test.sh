#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test:
#   1. build-asan/   the programs and every test (engine, bkf-recover, models,
#                    controls, window) through ctest, headless, under
#                    AddressSanitizer and UndefinedBehaviorSanitizer; what
#                    `cmake --install` lays out (desktop entry, icons, MIME type);
#                    then the window's save road driven by the keyboard under Xvfb
#   2. build-tsan/   the tests where threads meet (thread_tests) under ThreadSanitizer
#   3. build-fuzz/   when clang is present: the scan fuzzer, run for a bounded time
#                    (FUZZ_SECONDS, default 30) on a generated seed corpus; the
#                    catalogue cache's fuzzer likewise (CACHE_FUZZ_SECONDS, default 20);
#                    then the mount tree and continued save fuzzers
#                    (SAVE_FUZZ_SECONDS, default 15, each) on the seeds in fuzz/seeds/
# Exits non-zero on any failure. BKF_JOBS sets the build parallelism (default 2).
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")"
ROOT=$PWD
JOBS=${BKF_JOBS:-2}
FUZZ_SECONDS=${FUZZ_SECONDS:-30}
CACHE_FUZZ_SECONDS=${CACHE_FUZZ_SECONDS:-20}
SAVE_FUZZ_SECONDS=${SAVE_FUZZ_SECONDS:-15}

# shellcheck source=scripts/install-deps.sh
source "$ROOT/scripts/install-deps.sh"

export QT_QPA_PLATFORM=offscreen

T0=$(date +%s)
TIMINGS=()
TESTS_PASSED=0
STEP_NAME=""
STEP_T0=0

step() {
    step_end
    STEP_NAME=$1
    STEP_T0=$(date +%s)
    printf '\n==> %s\n' "$STEP_NAME"
}
step_end() {
    if [[ -n "$STEP_NAME" ]]; then
        TIMINGS+=("$(printf '%5ss  %s' "$(($(date +%s) - STEP_T0))" "$STEP_NAME")")
        STEP_NAME=""
    fi
}

# Runs ctest in the build dir $1 and adds its passed tests to TESTS_PASSED.
run_ctest() {
    local dir=$1 log="$1/ctest.log"
    shift
    ctest --test-dir "$dir" --output-on-failure --timeout 900 "$@" 2>&1 | tee "$log"
    local count
    count=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
    if [[ -z "$count" || "$count" == "0" ]]; then
        echo "test.sh: ctest in $dir ran no test" >&2
        exit 1
    fi
    TESTS_PASSED=$((TESTS_PASSED + count))
}

step "Dependencies"
bkf_install_deps --fuzzer --desktop

step "Sanitizer build of the programs and the tests (build-asan/)"
# Everything is built once, under the sanitizers: a Release build as well
# would cost minutes and find nothing more (run.sh and bench/run_benchmarks.sh
# make their own in build/). Debug without optimisation and with line tables
# only: assertions stay on, and the build, which dominates the run, is about
# 40% quicker than at -O1 -g.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1 -O0" \
    -DBKF_ENGINE_ONLY=OFF -DBKF_SANITIZE=ON -DBKF_BUILD_BENCH=OFF
cmake --build build-asan --parallel "$JOBS"

step "Install layout and desktop files (build-asan/)"
tests/e2e/install-layout.sh build-asan
TESTS_PASSED=$((TESTS_PASSED + 1))

step "Tests under AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/)"
# LeakSanitizer needs ptrace-like access that some sandboxes refuse: probe it first.
detect_leaks=1
probe_dir=$(mktemp -d)
if ! { echo 'int main() { return 0; }' | "${CXX:-c++}" -fsanitize=address -x c++ - -o "$probe_dir/probe" &&
       ASAN_OPTIONS=detect_leaks=1 "$probe_dir/probe"; } >/dev/null 2>&1; then
    detect_leaks=0
    echo "note: LeakSanitizer does not work on this machine; leak detection is off"
fi
rm -rf "$probe_dir"
ASAN_OPTIONS="detect_leaks=$detect_leaks" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    run_ctest build-asan

step "Keyboard-only save in the window under Xvfb (build-asan/)"
ASAN_OPTIONS="detect_leaks=$detect_leaks" E2E_ARTIFACTS=build-asan \
    tests/e2e/keyboard-save.sh build-asan/app/brevant-veltra-bkf build-asan/tests/make_sample_backup
TESTS_PASSED=$((TESTS_PASSED + 1))

step "Threads under ThreadSanitizer (build-tsan/)"
# Only the tests where threads meet: the scan worker and its read-ahead, the
# window thread with the scan bridge and the save worker.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1 -O0" \
    -DCMAKE_CXX_FLAGS="-fsanitize=thread" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread"
cmake --build build-tsan --parallel "$JOBS" --target thread_tests
tsan_run() {
    local binary=$1 filter=$2 log=build-tsan/tsan-$1.log passed
    if ! TSAN_OPTIONS="halt_on_error=1 history_size=7 suppressions=$ROOT/tests/gui/tsan.supp" \
         "build-tsan/tests/$binary" --gtest_filter="$filter" >"$log" 2>&1; then
        tail -n 80 "$log"
        echo "test.sh: $binary failed under ThreadSanitizer (log: $log)" >&2
        exit 1
    fi
    passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\./\1/p' "$log")
    echo "tsan: ${passed:-0} tests of $binary passed, no data race"
    TESTS_PASSED=$((TESTS_PASSED + ${passed:-0}))
}
tsan_run thread_tests '*'

FUZZ_EXECS=""
if command -v clang++ >/dev/null 2>&1; then
    step "Fuzzer build (build-fuzz/)"
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja \
        -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
        -DBKF_ENGINE_ONLY=ON -DBKF_BUILD_TESTS=OFF -DBKF_BUILD_FUZZERS=ON
    cmake --build build-fuzz --parallel "$JOBS" --target scan_fuzzer make_seeds

    step "Scan fuzzer, ${FUZZ_SECONDS}s"
    rm -rf build-fuzz/seeds build-fuzz/artifacts
    mkdir -p build-fuzz/corpus build-fuzz/artifacts
    build-fuzz/fuzz/make_seeds build-fuzz/seeds
    fuzz_log=build-fuzz/fuzz.log
    if ! ASAN_OPTIONS="detect_leaks=$detect_leaks" \
         UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
         build-fuzz/fuzz/scan_fuzzer -max_total_time="$FUZZ_SECONDS" -timeout=20 \
            -max_len=200000 -dict=fuzz/bkf.dict -print_final_stats=1 \
            -artifact_prefix=build-fuzz/artifacts/ \
            build-fuzz/corpus build-fuzz/seeds >"$fuzz_log" 2>&1; then
        tail -n 60 "$fuzz_log"
        echo "test.sh: the scan fuzzer found a failure; input saved in build-fuzz/artifacts/" >&2
        exit 1
    fi
    grep -E '^(INFO: seed corpus|#[0-9]+ +DONE|Done [0-9]+ runs|stat::)' "$fuzz_log" || true
    FUZZ_EXECS=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$fuzz_log" | tail -n 1)
    echo "fuzz: ${FUZZ_EXECS:-?} executions in ${FUZZ_SECONDS}s, no failure" \
         "(corpus: $(find build-fuzz/corpus -type f | wc -l) inputs in build-fuzz/corpus)"
    TESTS_PASSED=$((TESTS_PASSED + 1))

    step "Catalogue cache fuzzer, ${CACHE_FUZZ_SECONDS}s"
    # Its seeds are the caches that scans of the scan fuzzer's seeds leave.
    cmake --build build-fuzz --parallel "$JOBS" --target cache_fuzzer make_cache_seeds
    rm -rf build-fuzz/cache-seeds
    mkdir -p build-fuzz/cache-corpus
    build-fuzz/fuzz/make_cache_seeds build-fuzz/seeds build-fuzz/cache-seeds
    cache_fuzz_log=build-fuzz/cache-fuzz.log
    if ! ASAN_OPTIONS="detect_leaks=$detect_leaks" \
         UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
         build-fuzz/fuzz/cache_fuzzer -max_total_time="$CACHE_FUZZ_SECONDS" -timeout=20 \
            -max_len=200000 -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/cache- \
            build-fuzz/cache-corpus build-fuzz/cache-seeds >"$cache_fuzz_log" 2>&1; then
        tail -n 60 "$cache_fuzz_log"
        echo "test.sh: the cache fuzzer found a failure; input saved in build-fuzz/artifacts/" >&2
        exit 1
    fi
    cache_execs=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$cache_fuzz_log" | tail -n 1)
    echo "cache fuzz: ${cache_execs:-?} executions in ${CACHE_FUZZ_SECONDS}s, no failure"
    TESTS_PASSED=$((TESTS_PASSED + 1))
    # The mount tree and a continued save, from the seeds in fuzz/seeds/, for a shorter time each.
    cmake --build build-fuzz --parallel "$JOBS" --target mount_tree_fuzzer continued_save_fuzzer
    for target in mount_tree continued_save; do
        step "${target//_/ } fuzzer, ${SAVE_FUZZ_SECONDS}s"
        mkdir -p "build-fuzz/corpus-$target"
        target_log="build-fuzz/fuzz-$target.log"
        if ! ASAN_OPTIONS="detect_leaks=$detect_leaks" \
             UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
             "build-fuzz/fuzz/${target}_fuzzer" -max_total_time="$SAVE_FUZZ_SECONDS" -timeout=20 \
                -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/ \
                "build-fuzz/corpus-$target" "fuzz/seeds/$target" >"$target_log" 2>&1; then
            tail -n 60 "$target_log"
            echo "test.sh: the $target fuzzer found a failure; input saved in build-fuzz/artifacts/" >&2
            exit 1
        fi
        echo "fuzz: $(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$target_log" | tail -n 1)" \
             "$target executions in ${SAVE_FUZZ_SECONDS}s, no failure"
        TESTS_PASSED=$((TESTS_PASSED + 1))
    done
else
    echo "note: clang++ not found; the fuzzer step is skipped"
fi
step_end

printf '\n==> Timings\n'
printf '%s\n' "${TIMINGS[@]}"
printf '%5ss  total\n' "$(($(date +%s) - T0))"
echo
echo "summary: $TESTS_PASSED passed, 0 failed"
