#!/usr/bin/env bash
# Builds what is missing, starts platform-sandbox --demo on its default ports (platform 18080,
# version service 18081), runs the desktop client, and stops the sandbox when the client exits.
# Log in with demo / demo123 and the captcha shown.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
bash scripts/setup-debian.sh
cmake --preset default >/dev/null
cmake --build --preset default --target hosting-client platform-sandbox

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<'MSG'
There is no display here (neither DISPLAY nor WAYLAND_DISPLAY is set), so the client's windows
cannot be shown. On a machine without a screen, run it inside a virtual X server:

  xvfb-run -a -s '-screen 0 1280x800x24' bash scripts/run-client.sh

(bash scripts/screenshots.sh grabs the windows into docs/screenshots/ without any display.)
MSG
  exit 1
fi

bin=build/default
for port in 18080 18081; do
  if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
    echo "Port $port is already in use; stop whatever listens there (another sandbox?) first." >&2
    exit 1
  fi
done

# A fresh database per run: the demo member and its data are seeded anew each time.
data_dir=$(mktemp -d)
"$bin/sandbox/platform-sandbox" --demo --db "$data_dir/platform-sandbox.db" &
sandbox_pid=$!
trap 'kill "$sandbox_pid" 2>/dev/null || true; wait "$sandbox_pid" 2>/dev/null || true; rm -rf "$data_dir"' EXIT

# The sandbox is ready once its platform port accepts connections.
for _ in $(seq 100); do
  (exec 3<>/dev/tcp/127.0.0.1/18080) 2>/dev/null && break
  kill -0 "$sandbox_pid" 2>/dev/null || { echo "platform-sandbox did not start." >&2; exit 1; }
  sleep 0.1
done

echo "Sandbox running (platform http://127.0.0.1:18080, version service http://127.0.0.1:18081)."
echo "Log in with demo / demo123. Closing the client stops the sandbox."
"$bin/src/app/hosting-client"
