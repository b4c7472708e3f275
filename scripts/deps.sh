#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are missing (as root).
set -euo pipefail
# The tool needs Qt 6 Widgets and fonts standing in for the ones its texts name (Arial, Tahoma)
# and for the Japanese texts.
packages=(cmake make g++ gcc libgtest-dev libgmock-dev pkg-config qt6-base-dev fonts-liberation2
  fonts-dejavu-core fonts-noto-cjk dpkg-dev desktop-file-utils appstream file man-db "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "run as root to install: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
