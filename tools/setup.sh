#!/usr/bin/env bash
# Installs what building and testing Vantorel needs on Debian 12, and fetches the source of
# Debian's libspng (the PNG decoder both builds compile) into third_party/libspng. Safe to
# run again: it only asks apt for packages that are missing and fetches the source once.
# Runs apt-get as root, through sudo otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake make g++ pkg-config zlib1g-dev libz-mingw-w64-dev dpkg-dev debian-archive-keyring
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
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  echo "setup: installing ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# libspng: Debian ships no MinGW build of it, so both builds compile the source of Debian's
# package. apt fetches it through a sources list of our own (a deb-src line for bookworm
# main), with its own index and cache in a temporary folder: the machine's apt setup is
# neither read for sources nor changed. dpkg-source (dpkg-dev) unpacks it with Debian's
# patches applied.
spng_dir=third_party/libspng
if [ ! -f "$spng_dir/spng/spng.c" ]; then
  # The Debian mirror this machine already uses, deb.debian.org when none is found.
  mirror=$(sed -n 's/^URIs: *\([^ ]*debian\/\{0,1\}\)$/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1)
  [ -n "$mirror" ] || mirror=$(sed -n 's/^deb  *\(http[^ ]*debian\/\{0,1\}\)  *bookworm .*/\1/p' /etc/apt/sources.list 2>/dev/null | head -n 1)
  [ -n "$mirror" ] || mirror=http://deb.debian.org/debian
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$work/source"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror bookworm main" > "$work/sources.list"
  apt_options=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=$work/none"
               -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache" -o Debug::NoLocking=1)
  # Root's downloads would otherwise run as the _apt user, which cannot write our folders.
  [ "$(id -u)" -eq 0 ] && apt_options+=(-o APT::Sandbox::User=root)
  echo "setup: fetching Debian's libspng source package from $mirror"
  apt-get "${apt_options[@]}" -qq update
  (cd "$work/source" && apt-get "${apt_options[@]}" -qq source libspng >/dev/null)
  unpacked=$(find "$work/source" -mindepth 1 -maxdepth 1 -type d -name 'libspng-*' | head -n 1)
  [ -n "$unpacked" ] && [ -f "$unpacked/spng/spng.c" ] || { echo "setup: libspng's source did not unpack" >&2; exit 1; }
  # Copied beside its place first and renamed in, so an interrupted run leaves no half.
  mkdir -p third_party
  rm -rf "$spng_dir" "$spng_dir.partial"
  cp -R "$unpacked" "$spng_dir.partial"
  mv "$spng_dir.partial" "$spng_dir"
  echo "setup: libspng $(dpkg-parsechangelog -l "$spng_dir/debian/changelog" -S Version) in $spng_dir"
fi
