# shellcheck shell=bash
# Sourced by the scripts that run the Windows programs under Wine. wine_env WORK makes a fresh Wine
# prefix in WORK/prefix whose COM1 and COM9 are WORK/com1 (where klingport-sim puts its link), an X
# server for it, and one Wine server for the whole run; all of it ends when the script does. Processes
# the script starts in the background go into pids to end with it. wine_sim starts the device there.
wine=/usr/lib/wine/wine64
# Where the Windows program keeps its settings (for the scripts that source this).
# shellcheck disable=SC2034
wine_settings='HKCU\Software\VB and VBA Program Settings\Welko Klingport Inbetriebnahmesoftware\Settings'
pids=()
# Wine first, so that none of its processes outlives the X server.
wine_env_end() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
}
wine_env() {
  local work="$1"
  wine_work="$work"
  rm -rf "$work"
  mkdir -p "$work"
  export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  trap wine_env_end EXIT
  # Wine's desktop process takes the display it starts with, so the X server comes first.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 3>"$work/display" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
  DISPLAY=":$(cat "$work/display")"
  export DISPLAY
  $wine wineboot --init >/dev/null 2>&1
  # Debian's Wine does not look into fonts-wine's folder by itself; Tahoma and Marlett draw the
  # dialogs and the window frames as Windows does.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  $wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /t REG_SZ /d "$work/com1" /f >/dev/null
  # The same line as COM9, as Windows names a USB adapter.
  $wine reg add 'HKLM\Software\Wine\Ports' /v COM9 /t REG_SZ /d "$work/com1" /f >/dev/null
  /usr/lib/wine/wineserver -k
  # The server's own messages (it lists its objects now and then) go apart from the run's.
  /usr/lib/wine/wineserver -p >"$work/wineserver.log" 2>&1
  # The first program of a session starts Wine's background services, which keep the output it was
  # given open for as long as they run: a harmless one takes that turn, so that none holds a pipe of
  # ctest's or of a check's.
  $wine reg query 'HKLM\Software\Wine\Ports' >/dev/null 2>&1
}

# Starts klingport-sim (the path first, then its options) linked where the prefix's COM1 points, its
# output in WORK/sim.out, and returns once the link is there.
wine_sim() {
  local sim="$1"
  shift
  "$sim" --link "$wine_work/com1" "$@" >"$wine_work/sim.out" 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do [ -e "$wine_work/com1" ] && return; sleep 0.1; done
  echo "klingport-sim did not start" >&2
  exit 1
}
