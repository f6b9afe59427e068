#!/usr/bin/env bash
# Cross-builds the Windows engine (text, platform layer, paths, the carried
# archive, the ZIP-free parts of the archive layer) and its tests with
# MinGW-w64, then runs the tests under Wine, headless, in a fresh Wine prefix.
# The Qt window and unpacking/packing (minizip) are not part of this build.
# Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake make
  g++-mingw-w64-x86-64 libz-mingw-w64-dev
  googletest
  libcli11-dev
  wine wine64
  locales
)
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${packages[@]}"
# Wine keeps file names of code page 936 (GBK) on the host in this locale.
if ! locale -a | grep -qix 'zh_CN\.utf-\?8'; then
  $SUDO localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi

jobs="$(nproc)"
echo "=== mingw build ==="
cmake --preset mingw
cmake --build --preset mingw -j "$jobs"

echo "=== tests under Wine ==="
scratch="$(mktemp -d)"
export WINEPREFIX="$scratch/wine" WINEARCH=win64 WINEDEBUG=-all
# No .NET or HTML engine: the tests are console programs.
export WINEDLLOVERRIDES="mscoree,mshtml="
stop_wine() {
  wineserver -k 2>/dev/null || true
  rm -rf "$scratch"
}
trap stop_wine EXIT

started=$SECONDS
# One persistent server for the whole run, started before anything else uses
# the prefix. Wine's background services start here, outside ctest, so that
# they don't hold the output of a test open.
mkdir -p "$WINEPREFIX"
wineserver -p
wineboot -i </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
ctest --preset mingw -j "$jobs" --timeout 120
echo "Wine step: $((SECONDS - started)) s"
