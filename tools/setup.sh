#!/usr/bin/env bash
# Installs what building and testing Vantorel needs on Debian 12, and fetches the source of
# Debian's libspng (the PNG decoder both builds compile), BLAKE3 (the picture cache's key,
# both builds) and giflib (the GIF writer of the Windows build) into third_party. Safe to
# run again: it only asks apt for packages that are missing and fetches the source once.
# Runs apt-get as root, through sudo otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake make g++ pkg-config zlib1g-dev libz-mingw-w64-dev dpkg-dev debian-archive-keyring
  googletest libgtest-dev libbenchmark-dev libstb-dev libgif-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 xvfb imagemagick locales fonts-wqy-microhei fonts-wine libx11-dev libxdamage-dev libxext-dev
  fp-utils libchm-bin
  clang libclang-rt-14-dev llvm time clang-format
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# libspng and giflib: Debian ships no MinGW build of them, so the Windows build compiles the
# source of Debian's packages (libspng for both builds; the native build links Debian's
# libgif-dev). apt fetches it through a sources list of our own (a deb-src line for bookworm
# main), with its own index and cache in a temporary folder: the machine's apt setup is
# neither read for sources nor changed. dpkg-source (dpkg-dev) unpacks it with Debian's
# patches applied.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Root's downloads would otherwise run as the _apt user, which cannot write our folders.
download_options=()
[ "$(id -u)" -eq 0 ] && download_options=(-o APT::Sandbox::User=root)
# put_in_place UNPACKED FOLDER: copied beside its place first and renamed in, so an
# interrupted run leaves no half.
put_in_place() {
  mkdir -p third_party
  rm -rf "$2" "$2.partial"
  cp -R "$1" "$2.partial"
  mv "$2.partial" "$2"
}
apt_options=()
fetch_source() {  # fetch_source PACKAGE FOLDER FILE-THAT-MUST-BE-THERE
  local package=$1 target=$2 marker=$3
  [ -f "$target/$marker" ] && return 0
  if [ ${#apt_options[@]} -eq 0 ]; then
    # The Debian mirror this machine already uses, deb.debian.org when none is found.
    mirror=$(sed -n 's/^URIs: *\([^ ]*debian\/\{0,1\}\)$/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1)
    [ -n "$mirror" ] || mirror=$(sed -n 's/^deb  *\(http[^ ]*debian\/\{0,1\}\)  *bookworm .*/\1/p' /etc/apt/sources.list 2>/dev/null | head -n 1)
    [ -n "$mirror" ] || mirror=http://deb.debian.org/debian
    mkdir -p "$work/lists/partial" "$work/cache/archives/partial"
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror bookworm main" > "$work/sources.list"
    apt_options=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=$work/none"
                 -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache" -o Debug::NoLocking=1
                 ${download_options[@]+"${download_options[@]}"})
    apt-get "${apt_options[@]}" -qq update
  fi
  echo "setup: fetching Debian's $package source package from $mirror"
  mkdir -p "$work/source-$package"
  (cd "$work/source-$package" && apt-get "${apt_options[@]}" -qq source "$package" >/dev/null)
  local unpacked
  unpacked=$(find "$work/source-$package" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n 1)
  [ -n "$unpacked" ] && [ -f "$unpacked/$marker" ] || { echo "setup: $package's source did not unpack" >&2; exit 1; }
  put_in_place "$unpacked" "$target"
  echo "setup: $package $(dpkg-parsechangelog -l "$target/debian/changelog" -S Version) in $target"
}
fetch_source libspng third_party/libspng spng/spng.c
fetch_source giflib third_party/giflib egif_lib.c

# BLAKE3's C implementation, which Debian ships in the crate its Rust package installs
# (librust-blake3-dev, source files only): the .deb is downloaded and unpacked, not installed.
fetch_crate() {  # fetch_crate PACKAGE CRATE-FOLDER FOLDER FILE-THAT-MUST-BE-THERE
  local package=$1 crate=$2 target=$3 marker=$4 download=$work/crate-$1
  [ -f "$target/$marker" ] && return 0
  mkdir -p "$download"
  echo "setup: fetching Debian's $package package"
  # From the machine's own package lists; they are brought up to date only when it is not there.
  local fetch=(apt-get ${download_options[@]+"${download_options[@]}"} download -qq "$package")
  if ! (cd "$download" && "${fetch[@]}" >/dev/null 2>&1); then
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    (cd "$download" && "${fetch[@]}" >/dev/null)
  fi
  dpkg-deb -x "$download"/"$package"_*.deb "$download/unpacked"
  local unpacked
  unpacked=$(find "$download/unpacked/usr/share/cargo/registry" -mindepth 1 -maxdepth 1 -type d -name "$crate-*" | head -n 1)
  [ -n "$unpacked" ] && [ -f "$unpacked/$marker" ] || { echo "setup: $package did not unpack" >&2; exit 1; }
  put_in_place "$unpacked" "$target"
  echo "setup: $package $(basename "$unpacked") in $target"
}
fetch_crate librust-blake3-dev blake3 third_party/blake3 c/blake3.c
