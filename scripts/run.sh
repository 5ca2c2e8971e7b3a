#!/usr/bin/env bash
# Builds Pravex.exe and starts it under Wine, with the stand-in status tool
# installed in the prefix so that Diagnose works out of the box.
#
# With a display (DISPLAY set) Pravex opens on it. Without one it starts on
# a virtual display, a screenshot of the main window is saved to
# build/run/main-window.png, and the window is closed again.
#
# PRAVEX_SAMPLE picks the stand-in tool's report: healthy (default),
# expired, missing, invalid, crashed, disabled, stopped, unusable...
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/run

"$root/scripts/install-deps.sh"
cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" --target Pravex pravex_statustool pravex_cmdshim pravex_snap

source "$root/scripts/wine-prefix.sh"
prepare_wine_prefix "$build/wineprefix"
trap 'timeout 30 wineserver -k >/dev/null 2>&1 || true' EXIT

# The stand-in tool goes on the search path. Wine's own cmd.exe lacks the
# "2<&1" redirection that Pravex's command line uses, so the interpreter is
# reached through the shim, which hands it the "2>&1" form.
system32="$WINEPREFIX/drive_c/windows/system32"
cp "$build"/tools/statustool/*.exe "$system32/"
timeout 60 wine reg add 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' \
  /v ComSpec /t REG_EXPAND_SZ /d 'C:\windows\system32\cmdshim.exe' /f >/dev/null 2>&1
# Windows must belong to a Wine session started on the display they use.
timeout 30 wineserver -k >/dev/null 2>&1 || true

pravex=$build/win32/Pravex.exe
if [[ -n "${DISPLAY:-}" ]]; then
  wine "$pravex"
  exit 0
fi

shot=$build/main-window
rm -f "$shot.bmp" "$shot.png"
timeout -k 10 120 xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  wine "$1" & pravex=$!
  wine "$2" PravexMainForm "$3" --close; status=$?
  wait $pravex
  wineserver -k 2>/dev/null
  exit $status' run "$pravex" "$build/tools/snap/snap.exe" "Z:${shot//\//\\}.bmp"
/usr/bin/python3 "$root/tools/snap/bmp_to_png.py" "$shot.bmp" "$shot.png"
rm -f "$shot.bmp"
echo "Pravex started, showed its main window and closed; screenshot: $shot.png"
