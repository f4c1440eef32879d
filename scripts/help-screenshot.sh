#!/usr/bin/env bash
# A picture of the help viewer under Wine showing help.chm with its Japanese title and
# table of contents (its first folder opened), started the way the help menu's "機能一覧" opens it; writes
# build/screenshots/help-viewer.png. The viewer runs in a Japanese locale, as on a
# Japanese Windows: it reads the file's title in the system's ANSI code page. Wine's
# viewer draws the window and the contents tree itself; the page pane needs Wine's HTML
# engine, which this machine does not have, and stays empty.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build/screenshots"
mkdir -p "$out"
chm="$here/build/win/help.chm"
python3 "$here/help/build_chm.py" "$here/help" "$chm"
bash "$here/scripts/wine-run.sh" --prepare-only
export WINEPREFIX="$here/build/wineprefix" WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x960x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
target="$(wine winepath -w "$chm" 2>/dev/null | tr -d '\r')::/_RESOURCE/機能一覧.html"
DISPLAY=$display LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 wine hh.exe "$target" >/dev/null 2>&1 &
viewer=$!
sleep 12
# Open the first folder of the contents (its "+" box), as a reader would.
DISPLAY=$display xdotool mousemove 305 230 click 1 || true
sleep 2
DISPLAY=$display import -window root -crop 760x420+276+96 +repage "$out/help-viewer.png"
kill $viewer 2>/dev/null || true
wine taskkill /im hh.exe /f >/dev/null 2>&1 || true
echo "$out/help-viewer.png"
