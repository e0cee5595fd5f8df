#!/usr/bin/env bash
# Prints the non-blank lines of C++ in the code (src/, sandbox/, tools/) and in the tests (tests/,
# fuzz/) and their ratio; exits 1 when the tests pass 0.40 of the code. bench/ counts as neither.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
count() { find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 -r cat | grep -c -v '^[[:space:]]*$'; }
code=$(count src sandbox tools)
tests=$(count tests fuzz)
ratio=$(awk -v t="$tests" -v c="$code" 'BEGIN { printf "%.3f", t / c }')
echo "code $code, tests $tests, ratio $ratio"
# Compared in whole lines, so that no rounding lets 0.4003 pass.
[ $((tests * 100)) -le $((code * 40)) ] || { echo "tests pass 0.40 of the code" >&2; exit 1; }
