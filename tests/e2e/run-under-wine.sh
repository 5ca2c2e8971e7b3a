#!/usr/bin/env bash
# Runs a Windows test driver under Wine on a virtual X display.
#
#   run-under-wine.sh BUILD_DIR DRIVER.exe [ARGS...]
#
# The Wine prefix lives in BUILD_DIR/wineprefix; it is created on the first
# run and reused afterwards. The driver's exit code is passed through. The
# prefix's wineserver is always stopped at the end, so no process outlives
# the run.
#
# With PRAVEX_E2E_FTP_HOST naming a local host (127.0.0.1 or localhost) and
# PRAVEX_E2E_FTP_PORT a port, the test FTP server (tests/ftp_server) is
# started on 127.0.0.1 with a fresh root in BUILD_DIR/e2e-ftp before the
# driver, which is told its root and mode file (--ftp-root,
# --ftp-mode-file), and stopped after it, however the run ends. A server
# that does not start fails the run.
#
# A run that passes is judged again by its report (check_report.py): it
# fails when fewer tests ran than PRAVEX_E2E_LISTED says the filter selects
# (at least one), or when a test skipped that expected_skips.txt does not
# name; the allowed skips are appended to PRAVEX_E2E_SKIP_LOG when set.
# A run with --gtest_list_tests only lists.
set -euo pipefail

if [[ $# -lt 2 ]]; then
  echo "usage: $0 BUILD_DIR DRIVER.exe [ARGS...]" >&2
  exit 2
fi
build_dir=$(cd "$1" && pwd)
shift

# Seconds for the whole driver run and for preparing a new prefix.
run_limit=${PRAVEX_E2E_RUN_LIMIT:-300}
setup_limit=${PRAVEX_E2E_SETUP_LIMIT:-180}

missing=()
for tool in wine wineboot wineserver xvfb-run xauth Xvfb timeout flock; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
# "MS Sans Serif" comes with fonts-wine.
if [[ ! -f /usr/share/wine/fonts/sserife.fon ]]; then missing+=("/usr/share/wine/fonts/sserife.fon"); fi
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "run-under-wine.sh: missing ${missing[*]}." >&2
  echo "Install the Debian packages: apt-get install wine64 wine xvfb xauth fonts-wine" >&2
  exit 2
fi

# shellcheck source=SCRIPTDIR/../../scripts/wine-prefix.sh
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)/wine-prefix.sh"
use_wine_prefix "$build_dir/wineprefix"

# One run at a time per prefix: the tests share its registry and drive C:.
exec 9>"$build_dir/wineprefix.lock"
if ! flock -w "$run_limit" 9; then
  echo "run-under-wine.sh: another run held $build_dir/wineprefix.lock for ${run_limit}s" >&2
  exit 1
fi

stop_wineserver() { timeout 30 wineserver -k >/dev/null 2>&1 || true; }

ftp_script="$(cd "$(dirname "${BASH_SOURCE[0]}")/../ftp_server" && pwd)/ftp_server.sh"
ftp_dir="$build_dir/e2e-ftp"
ftp_port=""
stop_ftp_server() {
  if [[ -n $ftp_port ]]; then
    PRAVEX_FTP_RUN_DIR="$ftp_dir" "$ftp_script" stop "$ftp_dir/root" "$ftp_port" >/dev/null 2>&1 || true
  fi
}

# A file system of its own, small enough for the tests to fill, where the
# machine lets the run mount one (as root); the driver finds it through
# PRAVEX_E2E_SMALL_FOLDER, and the tests that need it skip without it.
small_dir="$build_dir/e2e-small-disk"
unmount_small_disk() {
  if mountpoint -q "$small_dir" 2>/dev/null; then umount "$small_dir" 2>/dev/null || true; fi
}

# shellcheck disable=SC2317  # run by the EXIT trap
clean_up() {
  stop_ftp_server
  stop_wineserver
  unmount_small_disk  # once nothing holds a file on it
}
trap clean_up EXIT
# A signal ends the run through the EXIT trap too.
trap 'exit 143' TERM INT HUP
# A run that was cut short may have left its wineserver behind.
stop_wineserver

# The FTP tests need the server only where the build sends to this machine.
driver_args=("$@")
case "${PRAVEX_E2E_FTP_HOST:-}" in
  127.0.0.1 | localhost)
    if [[ ${PRAVEX_E2E_FTP_PORT:-0} =~ ^[1-9][0-9]*$ ]]; then ftp_port=$PRAVEX_E2E_FTP_PORT; fi
    ;;
esac
if [[ -n $ftp_port ]]; then
  # A server left by a run that was cut short still holds the port.
  stop_ftp_server
  rm -rf "$ftp_dir"
  mkdir -p "$ftp_dir/root"
  if PRAVEX_FTP_RUN_DIR="$ftp_dir" "$ftp_script" start "$ftp_dir/root" "$ftp_port" \
      "$ftp_dir/mode" "$ftp_dir/server.log" >/dev/null; then
    driver_args+=("--ftp-root=$ftp_dir/root" "--ftp-mode-file=$ftp_dir/mode")
  else
    echo "run-under-wine.sh: the test FTP server did not start on port $ftp_port:" >&2
    tail -n 20 "$ftp_dir/server.log" >&2 || true
    exit 1
  fi
fi
listing=false
for argument in "$@"; do [[ $argument == --gtest_list_tests ]] && listing=true; done

unmount_small_disk  # left by a run that was cut short
mkdir -p "$small_dir"
if [[ $(id -u) -eq 0 ]] && mount -t tmpfs -o size=1m,mode=0777 pravex-e2e "$small_dir" 2>/dev/null; then
  export PRAVEX_E2E_SMALL_FOLDER=$small_dir
fi

# A new prefix is prepared under the lock, once.
prepare_wine_prefix "$WINEPREFIX" "$setup_limit"

# GoogleTest writes its report only once every test has run: a driver that
# died half-way (a crash, or a library of the system's that ends the
# process) must not pass for one whose tests passed.
report="$build_dir/e2e-reports/$$.xml"
mkdir -p "$build_dir/e2e-reports"
rm -f "$report"
driver_args+=("--gtest_output=xml:Z:${report//\//\\}")

# The Wine processes end while the display is still there; ended after it,
# they would complain about the lost X connection.
status=0
timeout -k 10 "$run_limit" \
  xvfb-run -a -s "-screen 0 1280x1024x24" \
  bash -c 'status=0; wine "$@" || status=$?; wineserver -k 2>/dev/null; exit $status' \
  run-under-wine "${driver_args[@]}" || status=$?
if [[ $status -eq 124 ]]; then
  echo "run-under-wine.sh: the driver did not finish within ${run_limit}s" >&2
elif [[ $status -eq 0 && ! -s "$report" ]]; then
  echo "run-under-wine.sh: the driver ended before all its tests had run" >&2
  status=1
elif [[ $status -eq 0 && $listing == false ]]; then
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  /usr/bin/python3 "$here/check_report.py" "$report" --listed "${PRAVEX_E2E_LISTED:-1}" \
    --expected-skips "$here/expected_skips.txt" ${PRAVEX_E2E_SKIP_LOG:+--skip-log "$PRAVEX_E2E_SKIP_LOG"} ||
    status=1
fi
rm -f "$report"
exit "$status"
