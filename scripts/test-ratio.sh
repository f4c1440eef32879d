#!/usr/bin/env bash
# Prints the lines of test code against the lines of hand-written program code and their
# ratio, and fails when the tests outgrow the owner's limit (0.40 by default; the aim is a
# quarter to a third). Counts the files git tracks: C++ under src/ without the generated
# tables, and C++ under tests/ (fuzz targets included; scripts and data are not code).
set -euo pipefail
cd "$(dirname "$0")/.."
limit=${1:-0.40}
count() { git ls-files "$@" | grep -E '\.(cpp|cc|h|hpp)$' | grep -v -E 'generated|_tables?\.' |
          tr '\n' '\0' | xargs -0 -r cat | wc -l; }
code=$(count 'src/*')
tests=$(count 'tests/*')
ratio=$(awk -v t="$tests" -v c="$code" 'BEGIN { printf "%.3f", c ? t / c : 0 }')
echo "test lines: $tests, code lines: $code, ratio: $ratio (limit $limit)"
awk -v r="$ratio" -v l="$limit" 'BEGIN { exit !(r <= l) }' || {
  echo "the tests are above $limit of the code: fold cases into tables, share set-up, prove each fault once" >&2
  exit 1
}
