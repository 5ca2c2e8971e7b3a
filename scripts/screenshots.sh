#!/usr/bin/env bash
# Takes the README's screenshots: builds Pravex with the screenshot tour
# (tools/screenshots) in build/screenshots, starts the test FTP drop on
# 127.0.0.1, and on a virtual display drives Pravex through each of its
# windows and boxes. The pictures go to docs/screenshots/*.png. Rerunnable.
#
# Without the FTP drop (python3-pyftpdlib missing) the two pictures of a
# send's outcome are left as they were, with a note.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/screenshots
shots=$build/shots
out=$root/docs/screenshots
ftp_port=21051
ftp_dir=$build/ftp

"$root/scripts/install-deps.sh"
cmake --preset windows -B "$build" -DPRAVEX_FTP_HOST=127.0.0.1 -DPRAVEX_FTP_PORT=$ftp_port >/dev/null
cmake --build "$build" --target Pravex pravex_statustool pravex_cmdshim pravex_screenshots

source "$root/scripts/wine-prefix.sh"
prepare_wine_prefix "$build/wineprefix"

ftp_script=$root/tests/ftp_server/ftp_server.sh
ftp_started=""
# shellcheck disable=SC2317  # run by the EXIT trap
clean_up() {
  if [[ -n $ftp_started ]]; then
    PRAVEX_FTP_RUN_DIR="$ftp_dir" "$ftp_script" stop "$ftp_dir/root" "$ftp_port" >/dev/null 2>&1 || true
  fi
  timeout 30 wineserver -k >/dev/null 2>&1 || true
}
trap clean_up EXIT
trap 'exit 143' TERM INT HUP

# A drop left by a run that was cut short still holds the port.
PRAVEX_FTP_RUN_DIR="$ftp_dir" "$ftp_script" stop "$ftp_dir/root" "$ftp_port" >/dev/null 2>&1 || true
rm -rf "$ftp_dir" "$shots"
mkdir -p "$ftp_dir/root" "$shots" "$out"
tour_args=()
if PRAVEX_FTP_RUN_DIR="$ftp_dir" "$ftp_script" start "$ftp_dir/root" "$ftp_port" \
    "$ftp_dir/mode" "$ftp_dir/server.log" >/dev/null 2>&1; then
  ftp_started=1
  tour_args+=("--ftp-root=$ftp_dir/root" "--ftp-mode-file=$ftp_dir/mode")
else
  echo "screenshots.sh: the test FTP drop did not start (see $ftp_dir/server.log)" >&2
fi

# Windows must belong to a Wine session started on the display they use.
timeout 30 wineserver -k >/dev/null 2>&1 || true
timeout -k 10 300 xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  status=0
  wine "$@" || status=$?
  wineserver -k 2>/dev/null
  exit $status' screenshots "$build/tools/screenshots/screenshots.exe" \
  "--pravex=$build/win32/Pravex.exe" "--statustool-dir=$build/tools/statustool" \
  "--cmdshim=$build/tools/statustool/cmdshim.exe" "${tour_args[@]}" "Z:${shots//\//\\}"

for bmp in "$shots"/*.bmp; do
  /usr/bin/python3 "$root/tools/snap/bmp_to_png.py" "$bmp" "$out/$(basename "${bmp%.bmp}").png"
done
echo "Screenshots written to $out"
