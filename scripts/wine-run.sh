#!/usr/bin/env bash
# Runs a Windows program of this project under Wine, inside a virtual X display unless one
# is given (DISPLAY set), in the project's own Wine prefix (build/wineprefix). The first
# run creates the prefix and waits for it to be complete; it also maps the Japanese
# default font names to installed fonts (map_fonts below) so that Japanese text renders.
# Wine's own diagnostics are kept out of the output.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
# KVTE_WINE_ARCH=win64 runs programs built for 64-bit Windows with the 64-bit Wine, in a
# prefix of its own: on machines whose kernel refuses 32-bit programs that is the only Wine
# that starts, and the test programs are built for it (the product stays 32-bit).
if [ "${KVTE_WINE_ARCH:-win32}" = win64 ]; then
  export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix64}
  export WINEARCH=win64
  wine() { WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64 "$@"; }
  wineserver() { /usr/lib/wine/wineserver64 "$@"; }
  wineboot() { wine wineboot.exe "$@"; }
else
  export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
  export WINEARCH=win32
fi
export WINEDEBUG=-all
# hhctrl.ocx: a library of that name beside a program is preferred to the system's, as on
# Windows, so that the start-up test can show that the editor never loads a planted one.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;hhctrl.ocx=n,b"
export LANG=C.UTF-8

# KVTE_WINE_DPI=144 runs in a prefix of its own whose screen has that many dots per inch.
dpi=${KVTE_WINE_DPI:-96}
if [ "$dpi" != 96 ] && [ -z "${KVTE_WINE_DPI_PREFIX_SET:-}" ]; then
  export WINEPREFIX="$WINEPREFIX-dpi$dpi" KVTE_WINE_DPI_PREFIX_SET=1
fi

# The Japanese default font names (the editor's "ＭＳ ゴシック", the dialogs' fonts) are
# names that Linux has no font for: they go to the IPA fonts, whose metrics match them and
# which hold every character of JIS X 0213 but the white parentheses ⦅⦆; those, like any
# character a font lacks, the view draws with another installed font (Symbola). Bump
# fonts_version when this mapping changes: prefixes made before are then mapped again.
fonts_version=2
map_fonts() {
  local key='HKCU\Software\Wine\Fonts\Replacements'
  for name in "ＭＳ ゴシック" "MS Gothic" "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2"; do
    wine reg add "$key" /v "$name" /d "IPAGothic" /f >/dev/null 2>&1
  done
  for name in "ＭＳ 明朝" "MS Mincho"; do
    wine reg add "$key" /v "$name" /d "IPAMincho" /f >/dev/null 2>&1
  done
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
}

prepare_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.kvte-ready" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    touch "$WINEPREFIX/.kvte-ready"
  fi
  if [ "$(cat "$WINEPREFIX/.kvte-fonts" 2>/dev/null)" != "$fonts_version" ]; then
    map_fonts
    wineserver -w
    echo "$fonts_version" > "$WINEPREFIX/.kvte-fonts"
  fi
  flock -u 9
}

# --can-run: whether this machine runs this Wine at all. Some sandboxed kernels refuse
# 32-bit programs ("Exec format error"); there only the 64-bit Wine starts.
if [ "${1:-}" = "--can-run" ]; then
  wine --version >/dev/null 2>&1
  exit $?
fi

prepare_prefix
if [ "${1:-}" = "--prepare-only" ]; then exit 0; fi

# Under our own Xvfb there is no window manager: Wine then draws title bars and frames
# itself. On a desktop the window manager does it. Switched only when it changes.
window_manager() {
  local want=$1 state="$WINEPREFIX/.kvte-managed"
  if [ "$(cat "$state" 2>/dev/null)" != "$want" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$want" /f >/dev/null 2>&1 || true
    echo "$want" > "$state"
  fi
}

if [ -z "${DISPLAY:-}" ]; then
  export KVTE_OWN_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
if [ -n "${KVTE_OWN_DISPLAY:-}" ]; then window_manager N; else window_manager Y; fi
# Wine prints its own complaints on stderr; the program's output is stdout.
wine "$@" 2> >(grep --line-buffered -v -E '^(wine:|fixme:|err:|warn:|[0-9a-f]{4}:|X connection to )' >&2)
