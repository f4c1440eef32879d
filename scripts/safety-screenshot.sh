#!/usr/bin/env bash
# Pictures of the safety net, taken from the real kvte.exe run from a folder of its own on a
# virtual display, driven by kvte_remote and key presses: the reload question after another
# program rewrote an open file, the recent-files submenu with a deleted file still listed,
# the ウィンドウ menu's document list, the question that offers a crashed run's copies back,
# and the tabs it restored. Writes build/screenshots/safety-*.png.
# Usage: scripts/safety-screenshot.sh [build folder, default build/win]
# (KVTE_WINE_ARCH=win64 with build/win64 on machines that run only the 64-bit Wine.)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build/win}" && pwd)
out="$here/build/screenshots"
mkdir -p "$out"
cmake --build "$build" --target kvte kvte_remote >/dev/null
bash "$here/scripts/wine-run.sh" --prepare-only
display=${KVTE_SHOTS_DISPLAY:-:$((90 + RANDOM % 100))}
Xvfb "$display" -screen 0 900x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
folder=$(mktemp -d /tmp/kvte-safety-shots.XXXXXX)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$folder"' EXIT
sleep 1
export DISPLAY=$display KVTE_OWN_DISPLAY=1
cp "$build/kvte.exe" "$folder/"
cp -r "$here/data/color" "$folder/"
run() { bash "$here/scripts/wine-run.sh" "$@"; }
remote() { run "$build/scripts/kvte_remote.exe" "$@" >/dev/null; }
shot() { sleep 2; import -window root -crop "$2" +repage "$out/safety-$1.png"; echo "$out/safety-$1.png"; }
win() { local path=${1//\//\\}; echo "Z:$path"; }
editor=
start() { run "$folder/kvte.exe" "$@" & editor=$!; remote wait; sleep 2; }
quit() { remote command 40002; wait "$editor" || true; }

names=(議事録.txt 見積書.txt 日報.txt メモ.txt 住所録.csv)
for name in "${names[@]}"; do printf '%s\r\n' "${name%.*}" "一行目の文章です。" > "$folder/$name"; done
paths=()
for name in "${names[@]}"; do paths+=("$(win "$folder/$name")"); done

# A first run opens the files and leaves them to the recent list at its exit.
start "${paths[@]}"
quit
sed -i 's/^interval=.*/interval=2/' "$folder/kvte.ini"

# The window menu lists the open documents; then another program rewrites one of them and
# the editor is activated again.
start "${paths[@]}"
xdotool key alt+w
shot window-document-list 676x450+0+0
xdotool key Escape Escape
printf '%s\r\n' "議事録" "別のプログラムが書き換えた文章です。" > "$folder/${names[0]}"
# Another program comes to the front and goes: the editor is activated again.
run winver &
about=$!
sleep 3
xdotool key Return
wait $about || true
shot reload-question 676x450+0+0
xdotool key Return
quit

# The recent files, one of them deleted since.
rm "$folder/${names[2]}"
start
xdotool key alt+f f
shot recent-files-menu 676x450+0+0
xdotool key Escape Escape
quit

# A run ended by force after inserts into three documents (the texts travel in the ANSI code
# page: ASCII arrives the same on every system), then the next start.
start "${paths[0]}" "${paths[1]}" "${paths[3]}"
remote insert "Call back on Monday. " command 40053 insert "Estimate: 12 pages. " command 40053 \
  insert "Draft, written before the crash. "
sleep 5
remote end
wait "$editor" || true
run "$folder/kvte.exe" &
editor=$!
sleep 6
shot restore-question 676x450+0+0
xdotool key Return
shot restored-tabs 676x450+0+0
remote end
wait "$editor" || true
