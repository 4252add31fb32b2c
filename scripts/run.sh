#!/usr/bin/env bash
# Builds what Lumaret needs (the program, the print-site chooser, the two
# databases and the web-database stand-in) and starts build/data/Lumaret; under
# xvfb-run when there is no display. The stand-in serves the program's servers
# (127.0.0.1 in its string table): port 80 goes to it through MIVO_HTTP_PORT_MAP,
# and it is stopped, by its process id, when Lumaret ends. WDBC_STUB_PORT picks
# its port (default 18080); MIVO_HTTP_PORT_MAP set beforehand is kept, so the
# program can be pointed at another server instead. Arguments go to Lumaret
# (for example "Open=C:\home\me\photo.jpg").
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

bash scripts/setup.sh
BUILD_DIR=${BUILD_DIR:-build}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
fi
cmake --build "$BUILD_DIR" --target Lumaret Kestrune wdbc-stub Mivo_database MivoUser_database -- -j4 -l 12

port=${WDBC_STUB_PORT:-18080}
. "$here/scripts/wdbc-stub.sh"
start_wdbc_stub "$BUILD_DIR" "$port"
export MIVO_HTTP_PORT_MAP=${MIVO_HTTP_PORT_MAP:-"127.0.0.1:80=127.0.0.1:$port"}

cd "$BUILD_DIR/data"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" ./Lumaret "$@"
else
  ./Lumaret "$@"
fi
