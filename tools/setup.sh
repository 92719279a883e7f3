#!/usr/bin/env bash
# Installs what building and testing Vantorel needs on Debian 12. Safe to run again: it
# only asks apt for packages that are missing. Runs apt-get as root, through sudo otherwise.
set -euo pipefail

packages=(
  cmake make g++ pkg-config zlib1g-dev libz-mingw-w64-dev
  googletest libgtest-dev libbenchmark-dev libstb-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 xvfb imagemagick locales fonts-wqy-microhei fonts-wine
  fp-utils libchm-bin
  clang libclang-rt-14-dev llvm time
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
echo "setup: installing ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
