#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

# Areas of the platform layer keep their private headers and include no cycle.
bash scripts/check-includes.sh

BUILD_DIR=${BUILD_DIR:-build}
JOBS=${JOBS:-$(nproc)}
# Warnings fail the build here, so the tree stays warning-free.
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} -DMIVO_WERROR=ON ${CMAKE_ARGS:-}
cmake --build "$BUILD_DIR" -j "$JOBS"

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# Sanitizer builds: leaks inside system libraries are not ours.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp}
cd "$BUILD_DIR"
ctest --output-on-failure --no-tests=error -j "$JOBS" --timeout 300 "$@"
