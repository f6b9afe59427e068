#!/usr/bin/env bash
# Fetches Debian's own minizip sources (with Debian's patches applied) into a
# folder of the build tree, for the Windows cross build, which has no minizip
# package. The source entry is derived from this machine's Debian sources file:
# its "Types: deb" stanzas, as "Types: deb-src". apt works on a private state
# folder beside the sources, so the system's package lists stay as they are.
#   fetch-minizip-source.sh DESTINATION
# Leaves DESTINATION/source holding zip.c, unzip.c, ioapi.c and their headers.
set -euo pipefail
destination="$(realpath -m "$1")"
if [ -f "$destination/source/zip.c" ]; then exit 0; fi

system_sources=(/etc/apt/sources.list.d/*.sources)
if [ ! -f "${system_sources[0]}" ]; then
  echo "fetch-minizip-source: no Debian sources file under /etc/apt/sources.list.d/" >&2
  exit 1
fi

state="$destination/apt"
rm -rf "$destination"
mkdir -p "$state/lists/partial" "$state/cache/archives/partial" "$state/download" "$state/parts"
# Stanzas are separated by blank lines; keep the binary ones, as source entries.
awk 'BEGIN { RS = ""; ORS = "\n\n" }
     /(^|\n)Types:[ \t]*deb([ \t]|\n|$)/ {
       sub(/(^|\n)Types:[ \t]*deb/, "\nTypes: deb-src"); sub(/^\n/, ""); print
     }' "${system_sources[@]}" > "$state/deb-src.sources"

apt_options=(
  -o "Dir::Etc::SourceList=$state/deb-src.sources"
  -o "Dir::Etc::SourceParts=$state/parts"
  -o "Dir::State::Lists=$state/lists"
  -o "Dir::Cache=$state/cache"
  -o "APT::Sandbox::User=root"
)
apt-get "${apt_options[@]}" update -qq
(cd "$state/download" && apt-get "${apt_options[@]}" source -qq minizip)

unpacked="$(find "$state/download" -mindepth 1 -maxdepth 1 -type d -name 'minizip-*' | head -n1)"
if [ -z "$unpacked" ] || [ ! -f "$unpacked/zip.c" ]; then
  echo "fetch-minizip-source: apt-get source minizip gave no zip.c" >&2
  exit 1
fi
mv "$unpacked" "$destination/source"
rm -rf "$state/download"
