#!/usr/bin/env bash
# The test suite under AddressSanitizer and UndefinedBehaviorSanitizer (Debug, so framework
# assertions fail tests too), then the concurrency test under ThreadSanitizer. Each build folder
# builds only what its run needs: no plug-in bundle, no benchmarks.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"

bash scripts/build.sh build/asan Debug -DTARVOLT_SANITIZERS=address,undefined -DTARVOLT_BUILD_BENCH=OFF \
    -- tarvolt_tests tarvolt-render
ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    bash scripts/with-display.sh ctest --test-dir build/asan --output-on-failure --timeout 900 -j2 \
        --label-exclude 'host|lv2'

# ThreadSanitizer: audio, parameter, state/preset and editor threads at once. Any report fails
# the run; reports from inside the framework that are not ours to fix are listed, each with its
# reason, in the suppressions file.
bash scripts/build.sh build/tsan Debug -DTARVOLT_SANITIZERS=thread -DTARVOLT_BUILD_BENCH=OFF \
    -DTARVOLT_BUILD_TOOLS=OFF -- tarvolt_tests_state
TSAN_OPTIONS="suppressions=$root/tests/state/tsan.supp:halt_on_error=1:exitcode=66:second_deadlock_stack=1" \
    bash scripts/with-display.sh build/tsan/tests/state/tarvolt_tests_state --gtest_filter='Concurrency.*'
