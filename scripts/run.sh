#!/usr/bin/env bash
# Builds the editor and starts it on a ready-made sample game folder:
# build/sample-game/ holds the editor beside VUVazur.dat, a copy of the sample
# rules archive in data/, so both lists are filled at once. The copy is made
# only when the folder has none, so rules written out from the editor stay;
# delete build/sample-game/VUVazur.dat to start again from the sample.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# Configured once; the build step itself configures again when a CMakeLists changes.
if [ ! -f build/default/CMakeCache.txt ]; then cmake --preset default; fi
cmake --build --preset default --target vantrel-editor -j "$(nproc)"

game=build/sample-game
mkdir -p "$game"
cp build/default/app/vantrel-editor "$game/vantrel-editor"
if [ ! -e "$game/VUVazur.dat" ]; then
  cp data/VUVazur.dat "$game/VUVazur.dat"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  {
    echo "The editor is ready in $PWD/$game/, beside the sample VUVazur.dat,"
    echo "but there is no display here, and the editor needs a desktop session."
    echo "Start it from a desktop session: $PWD/$game/vantrel-editor"
  } >&2
  exit 0
fi
exec "$game/vantrel-editor"
