# Sourced by the picture scripts: builds the picture program of a test target when it is
# missing, prepares the Wine prefix and starts a virtual display of the given size that
# goes away with the script. Sets: here, out (build/screenshots), exe, display.
# With KVTE_WINE_ARCH=win64 the program is built for 64-bit Windows (build/win64) and runs
# under the 64-bit Wine; KVTE_SHOTS_DISPLAY names the display number to use.
# Usage: . scripts/shots-display.sh TARGET WIDTHxHEIGHT
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out="$here/build/screenshots"
build="$here/build/win"
[ "${KVTE_WINE_ARCH:-win32}" = win64 ] && build="$here/build/win64"
exe="$build/scripts/$1.exe"
if [ ! -f "$exe" ]; then
  cmake --build "$build" --target "$1"
fi
mkdir -p "$out"
bash "$here/scripts/wine-run.sh" --prepare-only
display=${KVTE_SHOTS_DISPLAY:-:$((90 + RANDOM % 100))}
Xvfb "$display" -screen 0 "$2x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
