#!/bin/sh
# Runs the print-site chooser against the local web-database stand-in: builds
# both, makes the data folder's Temp (the main program does that), starts
# wdbc-stub on 127.0.0.1:18080 (WDBC_STUB_PORT to change it), sends the
# chooser's port-80 connections there through MIVO_HTTP_PORT_MAP, and runs
# build/data/Kestrune WDBCServer=127.0.0.1 (under xvfb-run without a display).
# The stub is stopped by its process id when the chooser ends.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$here/build}
port=${WDBC_STUB_PORT:-18080}
[ -f "$build/build.ninja" ] || [ -f "$build/Makefile" ] ||
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j2 --target Kestrune wdbc-stub
mkdir -p "$build/data/Temp"

. "$here/scripts/wdbc-stub.sh"
start_wdbc_stub "$build" "$port"

export MIVO_HTTP_PORT_MAP="127.0.0.1:80=127.0.0.1:$port"
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ]; then
  xvfb-run -a "$build/data/Kestrune" WDBCServer=127.0.0.1
else
  "$build/data/Kestrune" WDBCServer=127.0.0.1
fi
