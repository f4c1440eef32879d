#!/usr/bin/env bash
# A picture of the help viewer under Wine showing help.chm with its Japanese table of
# contents, opened at the page that the help menu's "機能一覧" opens; writes
# build/screenshots/help-viewer.png. Wine's viewer draws the contents tree itself; the page
# pane needs Wine's HTML engine, which this machine does not have, and stays empty.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build/screenshots"
mkdir -p "$out"
chm="$here/build/win/help.chm"
python3 "$here/help/build_chm.py" "$here/help" "$chm"
bash "$here/scripts/wine-run.sh" --prepare-only
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 900x640x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
target="$(WINEPREFIX=$here/build/wineprefix WINEDEBUG=-all wine winepath -w "$chm" 2>/dev/null | tr -d '\r')::/_RESOURCE/機能一覧.html"
DISPLAY=$display KVTE_OWN_DISPLAY=1 bash "$here/scripts/wine-run.sh" hh.exe "$target" &
viewer=$!
sleep 8
DISPLAY=$display import -window root "$out/help-viewer.png"
kill $viewer 2>/dev/null || true
WINEPREFIX=$here/build/wineprefix wine taskkill /im hh.exe /f >/dev/null 2>&1 || true
echo "$out/help-viewer.png"
