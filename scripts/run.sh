#!/usr/bin/env bash
# Builds Mivo and starts Lumaret; under xvfb-run when there is no display.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
cmake --build "$BUILD_DIR" -j "$(nproc)"

LUMARET="$BUILD_DIR/Lumaret/Lumaret"
if [ ! -x "$LUMARET" ]; then
  echo "Built the platform layer and Tesserin; Lumaret is not part of the build yet."
  exit 0
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$LUMARET" "$@"
fi
exec "$LUMARET" "$@"
