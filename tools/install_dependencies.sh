#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# only those that are missing (so a second run costs nothing).
# --generators adds what regenerating the generated tables needs: OpenCC for the
# script tables, npm for the pinyin data and the pinyin accuracy fixture.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libcurl4-openssl-dev
  libexiv2-dev libtag1-dev libpcre2-dev
  xvfb xauth fonts-wqy-microhei
  qt6-translations-l10n
  libcli11-dev nlohmann-json3-dev
  librsvg2-bin desktop-file-utils appstream dpkg-dev file
)
if [[ "${1:-}" == --generators ]]; then packages+=(opencc npm); fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
