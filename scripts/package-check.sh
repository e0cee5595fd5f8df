#!/usr/bin/env bash
# Builds the Debian package from the default build, lints it, validates its menu entry and AppStream
# metadata, installs it, and checks the installed programs: platform-sandbox on its default ports,
# and hosting-client (started by its menu entry's Exec line, in a virtual X server, with a fresh
# HOME) logging in with "记住用户与密码" ticked. The remembered datas.ini must be in
# ~/.config/hosting-client, byte for byte the one a portable copy writes beside itself, and nothing
# beside /usr/bin/hosting-client. Finally removes the package and checks that none of it is left.
# Needs root (or sudo) for apt-get; the ports 18080 and 18081 must be free.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

bash scripts/build-package.sh
deb=$(ls "$top"/build/default/hosting-client_*.deb)

echo "== lintian (fails on errors; warnings and notes are listed)"
lintian --fail-on error --display-info "$deb"
work=$(mktemp -d)
pids=()
installed=""
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ -z "$installed" ] || $sudo apt-get purge -y -qq hosting-client >/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
dpkg-deb -x "$deb" "$work/unpacked"
echo "== desktop-file-validate, appstreamcli validate"
desktop-file-validate "$work"/unpacked/usr/share/applications/*.desktop
appstreamcli validate --no-net "$work"/unpacked/usr/share/metainfo/*.metainfo.xml

for port in 18080 18081; do
  if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
    echo "Port $port is in use: the installed client needs the sandbox on its default ports." >&2
    exit 1
  fi
done

echo "== apt-get install $deb"
installed=yes
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb"
dpkg -L hosting-client >"$work/files"

/usr/bin/platform-sandbox --demo --fixed-captcha 1234 --db "$work/platform.db" >"$work/sandbox.log" &
pids+=($!)
for _ in $(seq 100); do
  (exec 3<>/dev/tcp/127.0.0.1/18080) 2>/dev/null && break
  sleep 0.1
done

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
DISPLAY=":$(cat "$work/display")"
export DISPLAY

# The id of the first window whose title matches $1, once it exists.
wait_for_window() {
  local window
  for _ in $(seq 150); do
    window=$(xdotool search --name "$1" 2>/dev/null | head -1) || true
    [ -z "$window" ] || { echo "$window"; return 0; }
    sleep 0.1
  done
  echo "no window titled $1" >&2
  return 1
}

# Runs the client command "$@" with HOME=$home (XDG_CONFIG_HOME unset) in $home, logs in as demo
# with "记住用户与密码" ticked, waits for MainWindow, and ends the client.
log_in_remembered() {
  local home=$1 window client
  shift
  mkdir -p "$home"
  (cd "$home" && exec env -u XDG_CONFIG_HOME HOME="$home" "$@") >"$home.log" 2>&1 &
  client=$!
  pids+=("$client")
  window=$(wait_for_window '^首页$')
  sleep 1 # the first captcha picture is fetched by a worker
  # Positions in LoginWindow's own coordinates (there is no window manager to move it).
  xdotool mousemove --window "$window" 170 89 click 1 type --delay 20 demo
  xdotool mousemove --window "$window" 170 137 click 1 type --delay 20 demo123
  xdotool mousemove --window "$window" 95 220 click 1 # 记住用户与密码, near its left edge
  xdotool mousemove --window "$window" 130 185 click 1 type --delay 20 1234
  xdotool key Return
  wait_for_window '^平台业务$' >/dev/null
  kill "$client"
  wait "$client" 2>/dev/null || true
}

exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/hosting-client.desktop)
[ "$(command -v "$exec_line")" = /usr/bin/hosting-client ]
echo "== the installed client, started as its menu entry says: $exec_line"
log_in_remembered "$work/home" "$exec_line"
remembered="$work/home/.config/hosting-client/datas.ini"
ls -l "$remembered"
if compgen -G '/usr/bin/datas.ini*' >/dev/null; then
  echo "datas.ini was written beside /usr/bin/hosting-client" >&2
  exit 1
fi

echo "== a portable copy of the build's client keeps datas.ini beside itself"
mkdir -p "$work/portable"
cp build/default/src/app/hosting-client "$work/portable/"
log_in_remembered "$work/portable-home" "$work/portable/hosting-client"
cmp "$remembered" "$work/portable/datas.ini"
echo "the two files are byte for byte the same"

echo "== apt-get purge hosting-client"
DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq hosting-client
installed=""
left=$(while read -r path; do
  # Shared folders such as /usr/share/man stay; anything of the package's own must be gone.
  if [ -e "$path" ] && { [ ! -d "$path" ] || [[ "$path" == *hosting-client* ]]; }; then
    echo "$path"
  fi
done <"$work/files")
left+=$(find /usr \( -iname '*hosting-client*' -o -iname '*hostingclient*' \) -print)
if [ -n "$left" ]; then
  printf 'left under /usr after removal:\n%s\n' "$left" >&2
  exit 1
fi
echo "nothing of hosting-client is left under /usr ($(wc -l <"$work/files") paths checked)"
