#!/bin/bash
# kvtefind from the outside: offsets in the converted CR LF text, the options, the exit
# statuses and messages. Usage: kvtefind_cli_test.sh path/to/kvtefind
set -u
tool="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# expect NAME STATUS OUTPUT -- ARGS...: runs the tool, compares exit status and stdout.
expect() {
  local name="$1" status="$2" output="$3"
  shift 4
  local got
  got=$("$tool" "$@" 2>"$work/stderr")
  local code=$?
  if [[ $code != "$status" || "$got" != "$output" ]]; then
    echo "FAIL $name: status $code (want $status), output '$got' (want '$output')"
    failures=$((failures + 1))
  fi
}

# UTF-8 with a byte-order mark and LF line ends. In the editor's text:
# ソ(0-1) \(2) 表(3-4) CR LF(5-6) "abc abc"(7-13) CR LF(14-15), end 16.
printf '\xef\xbb\xbf\xe3\x82\xbd\\\xe8\xa1\xa8\nabc abc\n' > "$work/utf8.txt"
# The same text in Shift_JIS with CR LF.
printf '\x83\x5c\x5c\x95\x5c\r\nabc abc\r\n' > "$work/sjis.txt"

for file in utf8.txt sjis.txt; do
  f="$work/$file"
  expect "$file backslash literal" 0 "2 1" -- '\' "$f"
  expect "$file backslash regex" 0 "2 1" -- --regex '\\' "$f"
  expect "$file so" 0 "0 2" -- 'ソ' "$f"
  expect "$file all" 0 $'7 3\n11 3' -- --all abc "$f"
  expect "$file backward" 0 "11 3" -- --backward abc "$f"
  expect "$file backward from" 0 "7 3" -- --regex --backward --from 11 'a.c' "$f"
  expect "$file from" 0 "11 3" -- --from 8 abc "$f"
  expect "$file line ends" 0 $'5 0\n14 0\n16 0' -- --regex --all '$' "$f"
  expect "$file empty matches" 0 $'0 0\n2 0\n3 0\n5 0\n7 0\n8 0\n9 0\n10 0\n11 0\n12 0\n13 0\n14 0\n16 0' -- --regex --all 'x*' "$f"
  # A match that ends on the CR of a line break goes on after its LF.
  expect "$file blank ends on CR" 0 $'5 1\n10 1\n14 1' -- --regex --all '\s' "$f"
  expect "$file no match" 1 "" -- nothing "$f"
  expect "$file either case" 0 $'7 3\n11 3' -- --all --ignore-case ABC "$f"
  expect "$file replace groups" 0 $'ソ\\表\r\nb-a b-a\r' -- --regex --replace '$2-\1' '(a)(b)\w' "$f"
  expect "$file replace literal" 0 $'ソ\\表\r\n$1abc\r' -- --replace '$1' 'abc ' "$f"
done

expect "bad pattern" 2 "" -- --regex 'a(' "$work/utf8.txt"
grep -q "bad pattern at byte 1: missing )" "$work/stderr" || { echo "FAIL bad pattern message: $(cat "$work/stderr")"; failures=$((failures + 1)); }
expect "missing file" 2 "" -- abc "$work/none.txt"
grep -q "cannot read" "$work/stderr" || { echo "FAIL missing file message"; failures=$((failures + 1)); }
expect "bad option" 2 "" -- --fast abc "$work/utf8.txt"
expect "bad from" 2 "" -- --from x abc "$work/utf8.txt"
expect "from the largest offset" 0 "11 3" -- --backward --from 2147483647 abc "$work/utf8.txt"
expect "from beyond it" 2 "" -- --from 2147483648 abc "$work/utf8.txt"
expect "replace and all" 2 "" -- --all --replace x abc "$work/utf8.txt"
expect "files and replace" 2 "" -- --files --replace x abc "$work"
expect "replace without its text" 2 "" -- --replace
expect "files, no match" 1 "" -- --files nothing "$work"
expect "all, no match" 1 "" -- --all nothing "$work/utf8.txt"
expect "include without masks" 2 "" -- --files abc "$work" --include
expect "all and backward" 2 "" -- --all --backward abc "$work/utf8.txt"
expect "one operand" 2 "" -- abc
expect "dash pattern" 1 "" -- -- --all "$work/utf8.txt"

if [[ $failures -ne 0 ]]; then
  echo "$failures kvtefind check(s) failed"
  exit 1
fi
echo "kvtefind: all checks passed"
