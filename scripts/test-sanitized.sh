#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan
# (BUILD_DIR to change it) and runs the whole suite there, leaks inside system
# libraries suppressed by tests/lsan.supp. Arguments go to ctest. Prints how long it took.
set -euo pipefail
cd "$(dirname "$0")/.."

start=$(date +%s)
export BUILD_DIR=${BUILD_DIR:-build-asan}
# The instrumentation makes g++ warn where it cannot see through; plain builds keep -Werror.
export CMAKE_ARGS="-DMIVO_SANITIZE=address,undefined -DMIVO_WERROR=OFF ${CMAKE_ARGS:-}"
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp}
# Undefined behaviour fails the test that shows it instead of scrolling past.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
bash scripts/test.sh "$@" || status=$?
echo "test-sanitized: build and run took $(( $(date +%s) - start )) s (exit $status)"
exit $status
