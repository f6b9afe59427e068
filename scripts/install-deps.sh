#!/usr/bin/env bash
# Installs the Debian 12 packages that are missing, and nothing else.
#   install-deps.sh              the packages that building, running and testing
#                                the editor need
#   install-deps.sh PACKAGE...   exactly these packages (other scripts' own lists)
# Asks dpkg first: when everything is installed it neither needs root nor the
# network, and runs no apt-get at all.
set -euo pipefail
if [ "$#" -gt 0 ]; then
  packages=("$@")
else
  packages=(
    cmake g++ make pkg-config
    clang
    zlib1g-dev libminizip-dev
    qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libcli11-dev
    fonts-wqy-microhei
    zip unzip python3
  )
fi

# One dpkg-query for all packages: "ii name" for each one that is installed
# (it fails for the names it does not know, which count as missing).
installed=" $(dpkg-query -W -f='${db:Status-Abbrev}${Package}\n' "${packages[@]}" 2>/dev/null |
  sed -n 's/^ii *//p' | tr '\n' ' ' || true) "
missing=()
for package in "${packages[@]}"; do
  if [[ "$installed" != *" $package "* ]]; then missing+=("$package"); fi
done
if [ "${#missing[@]}" -eq 0 ]; then exit 0; fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
$SUDO apt-get -o DPkg::Lock::Timeout=900 update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=900 install -y \
  --no-install-recommends "${missing[@]}"
