#!/usr/bin/env bash
# Installs what is missing, builds one preset (default: "default") and runs every test of it.
set -euo pipefail
preset=${1:-default}
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
bash scripts/setup-debian.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset"
