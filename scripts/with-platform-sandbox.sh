#!/usr/bin/env bash
# Runs a command beside a platform-sandbox on loopback: in memory, on a free port, with the demo
# member, every captcha 4711 (the tests' kCaptcha, tests/support/test_captcha.h) and every hosting
# code scanned 1 s after it was opened. The command finds the platform at HOSTING_TEST_SANDBOX_URL;
# the sandbox stops when the command ends, however it ends, and the command's exit status is the
# script's.
# Usage: with-platform-sandbox.sh PLATFORM_SANDBOX COMMAND [ARGS...]
set -euo pipefail
program=$1
shift
log=$(mktemp)
"$program" --db :memory: --port 0 --version-port 0 --demo --fixed-captcha 4711 --auto-scan 1 \
  >"$log" 2>&1 &
sandbox=$!
trap 'kill "$sandbox" 2>/dev/null || true; wait "$sandbox" || true; rm -f "$log"' EXIT
url=
for _ in $(seq 200); do
  url=$(sed -n 's|^platform: *\(http://[^/]*\)/custody/$|\1|p' "$log")
  [ -z "$url" ] && kill -0 "$sandbox" 2>/dev/null || break
  sleep 0.05
done
[ -n "$url" ] || { echo "platform-sandbox did not start:" >&2; cat "$log" >&2; exit 1; }
HOSTING_TEST_SANDBOX_URL=$url "$@"
