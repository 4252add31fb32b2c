#!/usr/bin/env bash
# Installs the Debian packages Mivo builds and runs with. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev unixodbc-dev libsqliteodbc odbcinst
  libdb5.3++-dev libjpeg62-turbo-dev libjpeg-turbo-progs libcurl4-openssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-nanum fonts-liberation2 xvfb xauth
  sqlite3 libsqlite3-dev
  xdg-utils procps
  poppler-utils cups-client
  openbox x11-apps x11-utils xdotool imagemagick
  libasound2-dev libmpg123-dev
  libsane-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
