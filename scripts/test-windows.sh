#!/usr/bin/env bash
# Cross-builds the Windows program with MinGW-w64 (vantrel-editor.exe with its
# native window, the engine, the archive layer with Debian's own minizip
# sources) and its tests, then runs the tests under Wine, headless, in a fresh
# Wine prefix on a private X server; the window tests run in-process, once
# more with the Simplified Chinese code page (936).
# Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake make
  g++-mingw-w64-x86-64 libz-mingw-w64-dev
  googletest
  libcli11-dev
  wine wine64
  xvfb
  dpkg-dev
  fonts-wine fonts-wqy-microhei
  locales
)
bash scripts/install-deps.sh "${packages[@]}"
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
# Wine keeps file names of code page 936 (GBK) on the host in this locale.
if ! locale -a | grep -qix 'zh_CN\.utf-\?8'; then
  $SUDO localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi

jobs="$(nproc)"
echo "=== minizip sources ==="
bash scripts/fetch-minizip-source.sh build/minizip
echo "=== mingw build ==="
cmake --preset mingw
cmake --build --preset mingw -j "$jobs"

echo "=== tests under Wine ==="
scratch="$(mktemp -d)"
export WINEPREFIX="$scratch/wine" WINEARCH=win64 WINEDEBUG=-all
# No .NET or HTML engine: nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=
stop_wine() {
  wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap stop_wine EXIT

started=$SECONDS
# A private X server on the first free display number, which it reports itself.
exec {display_fd}>"$scratch/display"
Xvfb -displayfd "$display_fd" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
exec {display_fd}>&-
for _ in $(seq 100); do
  [ -s "$scratch/display" ] && break
  sleep 0.1
done
[ -s "$scratch/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$scratch/display")"

# One persistent server for the whole run, started before anything else uses
# the prefix. Wine's background services start here, outside ctest, so that
# they don't hold the output of a test open.
mkdir -p "$WINEPREFIX"
wineserver -p
wineboot -i </dev/null >/dev/null 2>&1
# Windows are drawn by Wine, not managed by an X window manager: without one,
# a managed window that is hidden or destroyed makes Wine wait for seconds.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
ctest --preset mingw -j "$jobs" --timeout 120
echo "Wine step: $((SECONDS - started)) s"
