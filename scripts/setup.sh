#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Cablora need, when missing.
set -euo pipefail

packages=(build-essential cmake qt6-base-dev qt6-multimedia-dev qt6-svg-dev
          qt6-image-formats-plugins qt6-translations-l10n fonts-liberation2 fonts-dejavu-core
          libgl-dev poppler-utils libarchive-dev libxml2-dev liburing-dev
          desktop-file-utils appstream ninja-build lld ccache libreoffice-calc-nogui
          clang-format)
# npm fetches the FatturaPA schema at configure time (cmake/FatturaPASchema.cmake). A machine whose
# Node.js already brings npm keeps it: Debian's npm package is installed only when there is none.
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
fetch_schema() {
  # The official FatturaPA schema, from the npm registry into a cache outside the source tree (once).
  cmake -P "$(dirname "$0")/../cmake/FatturaPASchema.cmake"
}
if [ ${#missing[@]} -eq 0 ]; then
  fetch_schema
  exit 0
fi

echo "Installo i pacchetti mancanti: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
if ! "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; then
  "${sudo_cmd[@]}" apt-get update
  "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
fetch_schema
