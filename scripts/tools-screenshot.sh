#!/usr/bin/env bash
# A picture of the options page of the tool list with a few tools and a separator, the
# third row selected. Writes build/screenshots/tools-page.png.
set -euo pipefail
. "$(dirname "$0")/shots-display.sh" kvte_tools_page_shots 600x400
DISPLAY=$display KVTE_OWN_DISPLAY=1 bash "$here/scripts/wine-run.sh" "$exe" 6 &
program=$!
sleep 5
DISPLAY=$display import -window root -crop 540x360+14+14 +repage "$out/tools-page.png"
wait $program || true
echo "$out/tools-page.png"
