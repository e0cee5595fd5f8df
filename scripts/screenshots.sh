#!/usr/bin/env bash
# Grabs LoginWindow (three pages), MainWindow (four pages) and the hosting page with an expired
# code and with an offline notice into docs/screenshots/, offscreen, against an in-process sandbox
# with its demo data. Needs a Chinese font (fonts-wqy-microhei).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
bash scripts/setup-debian.sh
cmake --preset default >/dev/null
cmake --build --preset default --target client-screenshots
QT_QPA_PLATFORM=offscreen build/default/bench/client-screenshots docs/screenshots
