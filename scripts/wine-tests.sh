#!/usr/bin/env bash
# The Windows programs under Wine against klingport-sim on a Linux pseudo-terminal that Wine sees as
# COM1, with the Linux programs beside them: the cross-built tests through ctest, klingport-cli.exe's
# commands and exit statuses, the settings in the registry, klingport.exe on an X server (Xvfb), and
# the installer.
#   scripts/wine-tests.sh WINDOWS-BUILD LINUX-BUILD
# WINDOWS-BUILD comes from scripts/windows.sh with the tests, LINUX-BUILD from scripts/test.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
windows="$(realpath "$1")"
linux="$(realpath "$2")"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$windows/CMakeCache.txt")"
folder="$windows/klingport-$version-windows"
sim="$linux/tools/sim/klingport-sim"
linuxcli="$linux/src/cli/klingport-cli"
for f in /usr/lib/wine/wine64 /usr/bin/Xvfb /usr/bin/xdotool /usr/bin/msiinfo /usr/share/wine/fonts \
  "$folder/klingport-cli.exe" "$windows/klingport-$version.msi" "$sim" "$linuxcli"; do
  [ -e "$f" ] || { echo "missing: $f" >&2; exit 1; }
done

fail() { echo "FAILED: $*" >&2; exit 1; }

echo "== a Wine prefix, COM1 and COM9 on a stable link, an X server"
# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
work="$windows/wine-tests"
wine_env "$work"

echo "== the tests through ctest and Wine"
ctest --test-dir "$windows" --output-on-failure --parallel 2 ||
  { cat "$windows"/tests/*/*.txt; fail "ctest under Wine"; }

# Starts klingport-sim with its image in FILE and the given options, linked where Wine's COM1 points.
simulator() {
  local bild="$1"
  shift
  wine_sim "$sim" --image "$bild" --baud 0 "$@"
}
simulator_ende() {
  kill "${pids[-1]}"
  wait "${pids[-1]}" 2>/dev/null || true
  unset 'pids[-1]'
}
cli() { (cd "$work" && $wine "$folder/klingport-cli.exe" "$@"); }

echo "== klingport-cli.exe against the simulator, beside the Linux program"
cp "$root/tests/daten/gefuellt.kpk" "$root/tests/daten/gefuellt.kpb" "$work/"
simulator "$work/klingport.img" --verbose
[ "$(cli version --port COM1 | tr -d '\r')" = "$("$linuxcli" version --port "$work/com1")" ] || fail "version"
# Above COM6 a name is Windows' own port.
[ "$(cli version --port COM9 | tr -d '\r')" = "$("$linuxcli" version --port "$work/com1")" ] ||
  fail "version through Windows' COM9"
cli speichern --port COM1 --kpk gefuellt.kpk --kpb gefuellt.kpb || fail "speichern"
cli lesen --port COM1 --kpk w.kpk --kpb w.kpb --abbild w.bin || fail "lesen"
(cd "$work" && "$linuxcli" lesen --port "$work/com1" --kpk l.kpk --kpb l.kpb --abbild l.bin) || fail "Linux lesen"
cmp "$work/w.kpk" "$work/gefuellt.kpk" && cmp "$work/w.kpb" "$work/gefuellt.kpb" || fail "stored and read back"
cmp "$work/w.kpk" "$work/l.kpk" && cmp "$work/w.kpb" "$work/l.kpb" && cmp "$work/w.bin" "$work/l.bin" ||
  fail "the Windows and the Linux program read different files"
ls "$WINEPREFIX"/drive_c/users/*/AppData/Local/"Welko Klingport Inbetriebnahmesoftware"/Sicherungen/*.bin \
  >/dev/null || fail "no backup in %LOCALAPPDATA%"
cli loggen --port COM1 --sekunden 2 >"$work/log.txt" || fail "loggen"
grep -q "Klingport" "$work/log.txt" || fail "loggen wrote no report"
# Ctrl-C: Wine hands a SIGINT to the console's control handler as CTRL_C_EVENT.
(cd "$work" && exec $wine "$folder/klingport-cli.exe" loggen --port COM1) >"$work/strg-c.txt" 2>&1 &
loggen=$!
for _ in $(seq 100); do grep -q "Klingport sendet" "$work/strg-c.txt" && break; sleep 0.1; done
kill -INT "$loggen"
wait "$loggen" || fail "loggen ended on Ctrl-C with status $?"
tail -2 "$work/sim.out" | tr -s ' ' | cut -d' ' -f3- | paste -sd, | grep -qx "logging on,logging off" ||
  fail "loggen did not log off on Ctrl-C"

echo "== the settings in the registry: the port another program stored there"
$wine reg add "$wine_settings" /v Comport /t REG_SZ /d $'\x01' /f >/dev/null
cli version >/dev/null || fail "version through the stored COM1"
simulator_ende

echo "== klingport.exe --version and --help in cmd.exe's console"
# In a terminal, so that cmd.exe has a console as in a window of its own; Wine's console adds
# escape sequences that show and hide the cursor. (Wine hands a window program cmd.exe's console
# handles, which Windows does not, so here the text comes out even without attaching.)
in_cmd() {
  (cd "$folder" && script -qec "$wine cmd /c $*" /dev/null) | sed 's/\x1b\[[?0-9;]*[a-zA-Z]//g' | tr -d '\r'
}
[ "$(in_cmd klingport.exe --version)" = "klingport $version" ] || fail "klingport.exe --version in cmd.exe"
in_cmd klingport.exe --help | grep -q "^  -v, --version  Zeigt die Version.$" || fail "klingport.exe --help in cmd.exe"

echo "== klingport.exe on an X server: the probe, a store from the window, its backup, a clean close"
# Waits up to SECONDS for a line of the simulator's log.
im_log() {
  for _ in $(seq $(($2 * 10))); do grep -q "$1" "$work/sim.out" && return; sleep 0.1; done
  cat "$work/sim.out" >&2
  fail "klingport-sim never logged \"$1\""
}
# Answers the message box in front of the main window, both under the program's title, with its
# default button.
fenster_offen() { xdotool search --onlyvisible --name '^Welko Klingport Inbetriebnahmesoftware$' 2>/dev/null | wc -l; }
meldung_bestaetigen() {
  for _ in $(seq 100); do [ "$(fenster_offen)" = 2 ] && break; sleep 0.1; done
  if [ "$(fenster_offen)" != 2 ]; then
    for w in $(xdotool search --name .); do echo "$w $(xdotool getwindowname "$w")"; done >&2
    fail "no message box"
  fi
  sleep 0.5 # until it has the focus
  xdotool key Return
  for _ in $(seq 50); do [ "$(fenster_offen)" = 1 ] && break; sleep 0.1; done
  [ "$(fenster_offen)" = 1 ] || fail "the message box stayed"
  sleep 0.5 # until the main window has the focus again
}
# Qt gives its windows the icon named IDI_ICON1 (docs/wine-konfiguration.png shows it in the title bar).
wrestool -l --type=14 "$folder/klingport.exe" | grep -q "name='IDI_ICON1'" || fail "no icon IDI_ICON1"
simulator "$work/fenster.img" --verbose
(cd "$work" && exec $wine "$folder/klingport.exe") >"$work/klingport.out" 2>&1 &
fenster=$!
im_log "version query" 20
im_log "image download done" 20
meldung_bestaetigen # "Einstellungen wurden vom Klingport geladen!"
# Without a window manager the main window takes the keyboard only when clicked: on the checked
# "Nebenstellenanschluss" (where Tahoma puts it), which focuses it and changes nothing. From there the
# PIN is one step on, and "In Klingport speichern" seven more, past the boxes and groups the factory
# image enables.
hauptfenster="$(xdotool search --onlyvisible --name '^Welko Klingport Inbetriebnahmesoftware$')"
xdotool mousemove --window "$hauptfenster" 60 82 click 1
sleep 0.5
xdotool key Tab ctrl+a type 4321
xdotool key Tab Tab Tab Tab Tab Tab Tab space
im_log "upload of 48 blocks done" 20
meldung_bestaetigen # "Übertragung erfolgreich!"
# The store's backup behind the menu "&Sicherungen"; closing the program closes that dialog too.
xdotool key alt+s
for _ in $(seq 100); do xdotool search --onlyvisible --name '^Sicherungen$' >/dev/null 2>&1 && break; sleep 0.1; done
xdotool search --onlyvisible --name '^Sicherungen$' >/dev/null 2>&1 || fail "no backups dialog"
$wine taskkill /im klingport.exe >/dev/null
# With no window manager on the X server, Wine waits 2 s in vain for it to take each window away.
for _ in $(seq 300); do kill -0 "$fenster" 2>/dev/null || break; sleep 0.1; done
kill -0 "$fenster" 2>/dev/null && fail "klingport.exe did not close"
wait "$fenster" || fail "klingport.exe closed with status $?"
"$linuxcli" lesen --port "$work/com1" --kpk "$work/fenster.kpk" >/dev/null || fail "reading the store back"
grep -q $'^\tPIN:\t\t\t4321\r$' "$work/fenster.kpk" || fail "the window's PIN is not in the device"
# The window writes its settings when it closes; the command line writes none of them.
$wine reg query "$wine_settings" >"$work/settings.txt"
grep -q $'Comport    REG_SZ    \x01\r' "$work/settings.txt" && grep -q 'LogAutoScroll    REG_SZ' "$work/settings.txt" ||
  { cat -v "$work/settings.txt"; fail "the window's settings are not REG_SZ as before"; }
simulator_ende

echo "== exit statuses"
status() {
  local erwartet="$1"
  shift
  local s=0
  cli "$@" >/dev/null 2>&1 || s=$?
  [ "$s" = "$erwartet" ] || fail "klingport-cli $* gave $s, not $erwartet"
}
status 5 version --port COM5
simulator "$work/still.img" --silent
status 1 lesen --port COM1 --abbild x.bin
simulator_ende
simulator "$work/kaputt.img" --corrupt-block 1:20
status 2 lesen --port COM1 --abbild x.bin
simulator_ende

echo "== the installer: installed, upgraded, reinstalled rebuilt, refused over a newer one, removed"
msi="$windows/klingport-$version.msi"
# What wixl wrote into the Upgrade table: the build's own version and all before it are replaced, from
# the next one on the installer refuses.
IFS=. read -r major minor patch <<<"$version"
danach="$major.$minor.$((patch + 1))"
msiinfo export "$msi" Upgrade | tr -d '\r' | tail -n +4 | cut -f2,3,5,7 | LC_ALL=C sort >"$work/upgrade.txt"
printf '0.0.0\t%s\t256\tWIX_UPGRADE_DETECTED\n%s\t\t258\tWIX_DOWNGRADE_DETECTED\n' "$danach" "$danach" |
  LC_ALL=C sort | diff - "$work/upgrade.txt" || fail "the installer's Upgrade table"
# The same version built once more (it gets a product code of its own), and the next version.
"$root/scripts/msi.sh" "$windows" "$work/neu-gebaut.msi"
"$root/scripts/msi.sh" "$windows" "$work/danach.msi" "$danach"
# How often Wine lists the program as installed; that it is once, and of the version given.
installiert="$WINEPREFIX/drive_c/Program Files/Klingport"
eintraege() {
  $wine uninstaller --list | tr -d '\r' | grep -c '|||Klingport Inbetriebnahme$' || true
}
eingetragen() {
  [ "$(eintraege)" = 1 ] || fail "$1: $(eintraege) entries of Klingport Inbetriebnahme"
  $wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
    grep -q "DisplayVersion    REG_SZ    $2\$" || fail "$1: version $2 is not the installed one"
}
$wine msiexec /i "$msi" /qn || fail "msiexec /i"
[ "$($wine "$installiert/klingport-cli.exe" --version | tr -d '\r')" = "klingport-cli $version" ] ||
  fail "the installed klingport-cli.exe"
# Wine's msiexec puts a per-machine installer's entry into the user's Start menu.
find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Klingport Inbetriebnahme.lnk' | grep -q . ||
  fail "no Start-menu entry"
eingetragen "installed" "$version"
$wine reg add "$wine_settings" /v Drucker /t REG_SZ /d Laserdrucker /f >/dev/null
$wine msiexec /i "$work/neu-gebaut.msi" /qn || fail "msiexec /i of the rebuilt installer"
eingetragen "the same version rebuilt" "$version"
$wine msiexec /i "$work/danach.msi" /qn || fail "msiexec /i of version $danach"
eingetragen "upgraded" "$danach"
[ -e "$installiert/klingport-cli.exe" ] || fail "the upgrade removed the program"
$wine msiexec /i "$msi" /qn && fail "version $version was installed over $danach"
eingetragen "an older one refused" "$danach"
$wine reg query "$wine_settings" >"$work/settings-danach.txt" 2>&1
grep -q 'Drucker    REG_SZ    Laserdrucker' "$work/settings-danach.txt" ||
  { cat -v "$work/settings-danach.txt"; fail "the settings did not survive"; }
$wine msiexec /x "$work/danach.msi" /qn || fail "msiexec /x"
[ ! -e "$installiert/klingport-cli.exe" ] || fail "still installed after msiexec /x"
[ "$(eintraege)" = 0 ] || fail "an entry left after msiexec /x"

echo "All Wine checks passed."
