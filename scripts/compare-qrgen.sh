#!/usr/bin/env bash
# qrgen.exe under Wine against the Linux qrgen: the same BMP bytes and the same matrix listing for
# 200 texts (numeric, alphanumeric, byte and Chinese, short to long, at every level).
# Usage: compare-qrgen.sh LINUX_QRGEN WINDOWS_QRGEN_EXE WINEPREFIX
set -euo pipefail
linux=$1 windows=$2
export WINEPREFIX=$3 WINEDEBUG=-all LC_ALL=C.UTF-8
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine64
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

texts=()
for n in 1 7 17 41 90 300; do
  texts+=("$(printf '%0*d' "$n" 0 | tr 0 7)$n")
  texts+=("HTTP://EXAMPLE.COM/$(printf '%*s' "$n" '' | tr ' ' 'A') \$%*+-./:")
  texts+=("https://example.com/?q=$n&x=$(printf '%*s' "$n" '' | tr ' ' 'z')")
  texts+=("托管账号 $n $(printf '%*s' "$n" '' | sed 's/ /中文/g')")
  texts+=("混合 Mixed 123 ABC $n ✓ €")
done
for i in $(seq 1 20); do texts+=("成员$i:$(printf '%x' $((i * 7919)))"); done

run() {
  local status=0
  "$@" 2>/dev/null || status=$?
  echo "exit $status"
}

count=0 failed=0
for text in "${texts[@]}"; do
  for level in L M Q H; do
    count=$((count + 1))
    # Standard output and exit status; a text too long for its level fails on both.
    run "$linux" -l "$level" -- "$text" >"$work/linux.bmp"
    run "$wine" "$windows" -l "$level" -- "$text" >"$work/windows.bmp"
    run "$linux" --matrix -l "$level" -- "$text" >"$work/linux.txt"
    run "$wine" "$windows" --matrix -l "$level" -- "$text" | tr -d '\r' >"$work/windows.txt"
    if ! cmp -s "$work/linux.bmp" "$work/windows.bmp" || ! cmp -s "$work/linux.txt" "$work/windows.txt"; then
      failed=$((failed + 1))
      echo "differs: level $level, text: $text"
    fi
  done
done
echo "qrgen: $((count - failed)) of $count texts agree (BMP and matrix)"
[ "$failed" -eq 0 ]
