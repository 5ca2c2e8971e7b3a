# Sourced by the scripts that run Pravex under Wine. Prepares a Wine prefix
# once (stamp file) and exports WINEPREFIX, WINEDEBUG and WINEDLLOVERRIDES.
# Messages name the script that sourced this file.
#
#   source scripts/wine-prefix.sh; prepare_wine_prefix DIR [SETUP_SECONDS]
#   use_wine_prefix DIR: only the exports, for a caller that prepares later

use_wine_prefix() {
  export WINEPREFIX=$1
  export WINEDEBUG=-all
  # No Mono or Gecko: their installers would ask on screen and are not needed.
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  mkdir -p "$WINEPREFIX"
}

prepare_wine_prefix() {
  local limit=${2:-180} me=${0##*/}
  use_wine_prefix "$1"

  # Bump the number when the preparation below changes.
  local stamp="$WINEPREFIX/.pravex-prefix-ready-2"
  [[ -f "$stamp" ]] && return 0

  echo "$me: creating the Wine prefix $WINEPREFIX" >&2
  if ! timeout "$limit" wineboot -i >/dev/null 2>&1; then
    echo "$me: wineboot -i failed or took longer than ${limit}s" >&2
    return 1
  fi
  # Debian's Wine does not find its own fonts by itself: captions and
  # "MS Sans Serif" would be drawn with the wrong metrics.
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  # Unmanaged windows: with no window manager on a virtual display Wine would
  # otherwise wait about two seconds whenever a window closes. A crash prints
  # its backtrace instead of waiting in a dialog no one can answer.
  local setting key name type data
  for setting in \
    'HKCU\Software\Wine\X11 Driver|Managed|REG_SZ|N' \
    'HKCU\Software\Wine\WineDbg|ShowCrashDialog|REG_DWORD|0'; do
    IFS='|' read -r key name type data <<<"$setting"
    if ! timeout 60 wine reg add "$key" /v "$name" /t "$type" /d "$data" /f >/dev/null 2>&1; then
      echo "$me: could not set $key\\$name in the Wine registry" >&2
      return 1
    fi
  done
  timeout 60 wineserver -w || true  # the registry reaches the disk
  touch "$stamp"
}
