#!/usr/bin/env bash
# Mutation test: N seeded single-line mutations of src/ and sandbox/, each rebuilt and run against
# the whole suite in build/mutation (MUTATION_BUILD_DIR). MUTATION_TIMEOUT overrides the limit per
# mutated run (default: three times the unmutated suite, at least 120 s). Prints killed / survived /
# score and the survivors. Example: scripts/mutation-test.sh 40 2026
# `--sample FILE` replays a recorded sample instead (scripts/mutation-sample-2026.json is the seed-2026
# sample of 40 taken before the suite was cut), so that before and after mutate the same code.
# While working on one area: MUTATION_ROOTS="src/net/" MUTATION_CTEST_ARGS="-L net" (not for the
# before/after figures, which mutate all of src/ and sandbox/ against the whole suite).
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 N SEED | --sample FILE" >&2; exit 2; }
exec python3 "$(dirname "${BASH_SOURCE[0]}")/mutation_test.py" "$@"
