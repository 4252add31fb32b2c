#!/bin/sh
# Runs the print-site chooser against the local web-database stand-in: installs what
# is missing (scripts/setup.sh), builds both on all cores, makes the data folder's
# Temp (the main program does that), starts wdbc-stub on 127.0.0.1:18080
# (WDBC_STUB_PORT to change it), sends the chooser's port-80 connections there
# through MIVO_HTTP_PORT_MAP, and runs build/data/Kestrune WDBCServer=127.0.0.1.
# Without a display it cannot be used: it says so, takes one screenshot under
# Xvfb (build/kestrune-demo.png) and ends. The stub is stopped by its process id.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$here/build}
port=${WDBC_STUB_PORT:-18080}
bash "$here/scripts/setup.sh"
[ -f "$build/build.ninja" ] || [ -f "$build/Makefile" ] ||
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$(nproc)" --target Kestrune wdbc-stub
mkdir -p "$build/data/Temp"

. "$here/scripts/wdbc-stub.sh"
start_wdbc_stub "$build" "$port"

export MIVO_HTTP_PORT_MAP="127.0.0.1:80=127.0.0.1:$port"
if [ -n "$DISPLAY" ] || [ -n "$WAYLAND_DISPLAY" ]; then
  "$build/data/Kestrune" WDBCServer=127.0.0.1
  exit 0
fi
shot="$build/kestrune-demo.png"
echo "kestrune-demo: no display (DISPLAY is not set): taking one screenshot under Xvfb to $shot, then stopping"
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  openbox >/dev/null 2>&1 &
  "$1" WDBCServer=127.0.0.1 &
  chooser=$!
  sleep 4
  import -window root "$2"
  kill $chooser 2>/dev/null
  wait $chooser 2>/dev/null
  exit 0
' kestrune-demo "$build/data/Kestrune" "$shot"
echo "kestrune-demo: wrote $shot"
