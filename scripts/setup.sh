#!/usr/bin/env bash
# Installs the Debian packages Ranchbook builds and runs with, when missing.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libgtest-dev libbenchmark-dev nlohmann-json3-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libxlsxwriter-dev libfreexl-dev
  fonts-liberation2 fontconfig xvfb xauth
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
