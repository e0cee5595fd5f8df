#!/usr/bin/env bash
# Installs what is missing, builds the three programs with the default preset and makes the Debian
# package build/default/hosting-client_VERSION_ARCH.deb (CPack; library dependencies by dpkg-shlibdeps).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
bash scripts/setup-debian.sh
bash scripts/setup-debian.sh scripts/package-tools.txt
source scripts/compiler-cache.sh
cmake --preset default >/dev/null
cmake --build --preset default --target hosting-client platform-sandbox qrgen hosting_package_files
rm -f build/default/hosting-client_*.deb
(cd build/default && cpack -G DEB)
