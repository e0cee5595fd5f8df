#!/usr/bin/env bash
# The Windows cross build compiles PCRE2 from Debian's source package (Debian ships no MinGW
# build of it). Adds a deb-src entry for the system's own suites when there is none, and unpacks
# the source under build/deb-src. Idempotent: nothing is fetched when the source is there.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
target=$top/build/deb-src
compgen -G "$target/pcre2-*/CMakeLists.txt" >/dev/null && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  . /etc/os-release
  printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s %s-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$VERSION_CODENAME" "$VERSION_CODENAME" | $sudo tee /etc/apt/sources.list.d/hosting-deb-src.sources >/dev/null
  $sudo apt-get update -qq
fi
mkdir -p "$target"
cd "$target"
apt-get source -qq pcre2
rm -f pcre2_*.dsc pcre2_*.tar.* pcre2_*.diff.gz
