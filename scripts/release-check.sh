#!/usr/bin/env bash
# The package as a user gets it: unpacks dist/kvte-<version>.zip (make dist) into an empty
# folder whose name holds half-width katakana, starts kvte.exe there under Wine with a
# file of that folder on its command line, and checks that kvte.ini is created beside
# the executable, that the file opened (its name in the title), and that a text inserted
# the way a tool does it is saved into the file by the save command.
# Runs in a Wine prefix of its own, so that no other copy of the editor (the tests') is
# found as the running instance.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^#define KVTE_VERSION_TEXT "\(.*\)"/\1/p' "$here/src/resources/version.rc")
zip="$here/dist/kvte-$version.zip"
remote="$here/build/win/scripts/kvte_remote.exe"
[ -f "$zip" ] || { echo "release-check: $zip is missing (make dist)" >&2; exit 1; }
[ -f "$remote" ] || cmake --build "$here/build/win" --target kvte_remote >/dev/null

export WINEPREFIX="$here/build/wineprefix-release" WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder="$work/ｶﾅ ﾌｫﾙﾀﾞ"
mkdir "$folder"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$folder"
program="$folder/kvte-$version"
[ ! -e "$program/kvte.ini" ] || { echo "FAIL: the package holds a kvte.ini" >&2; exit 1; }
printf 'first line\r\n' > "$program/ﾒﾓ.txt"

bash "$here/scripts/wine-run.sh" --prepare-only
winpath() { WINEDEBUG=-all wine winepath -w "$1" 2>/dev/null | tr -d '\r'; }
editor=$(winpath "$program/kvte.exe")
memo=$(winpath "$program/ﾒﾓ.txt")

failures=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi; }

export KVTE_OWN_DISPLAY=1
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  wine "$1" "$2" >/dev/null 2>&1 &
  sleep 2
  wine "$3" wait title insert "added by the check" command 40008 title end 2>/dev/null
' _ "$editor" "$memo" "$remote" > "$work/remote.log" || true
cat "$work/remote.log"
check "kvte.ini is created beside the executable" '[ -s "$program/kvte.ini" ]'
check "the file opened from the katakana folder" 'grep -q "ﾒﾓ.txt" "$work/remote.log"'
check "the inserted text was saved into the file" 'grep -q "added by the check" "$program/ﾒﾓ.txt"'
check "the saved file keeps its first line" 'grep -q "first line" "$program/ﾒﾓ.txt"'
check "the title lost its modified mark after saving" '[ "$(grep "^title" "$work/remote.log" | tail -1 | grep -c " \* ")" = 0 ]'
WINEDEBUG=-all wineserver -k 2>/dev/null || true
echo "$((5 - failures)) passed, $failures failed"
[ "$failures" = 0 ]
