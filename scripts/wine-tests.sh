#!/usr/bin/env bash
# The Windows programs under Wine against klingport-sim on a Linux pseudo-terminal that Wine sees as
# COM1, with the Linux programs beside them: the cross-built tests through ctest, klingport-cli.exe's
# commands and exit statuses, the settings in the registry, and the installer.
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
for f in /usr/lib/wine/wine64 "$folder/klingport-cli.exe" "$windows/klingport-$version.msi" "$sim" "$linuxcli"; do
  [ -e "$f" ] || { echo "missing: $f" >&2; exit 1; }
done

work="$windows/wine-tests"
rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
pids=()
ende() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  /usr/lib/wine/wineserver -k 2>/dev/null || true
}
trap ende EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

echo "== a Wine prefix, COM1 on a stable link"
$wine wineboot --init >/dev/null 2>&1
$wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /t REG_SZ /d "$work/com1" /f >/dev/null
/usr/lib/wine/wineserver -k
# The server's own messages (it lists its objects now and then) go apart from the checks'.
/usr/lib/wine/wineserver -p >"$work/wineserver.log" 2>&1

echo "== the tests through ctest and Wine"
# In a new prefix Wine now and then keeps the first test process from ending after its last test
# passed; such a one runs again once.
ctest --test-dir "$windows" --output-on-failure --parallel 2 --repeat after-timeout:2 ||
  { cat "$windows"/tests/*/*.txt; fail "ctest under Wine"; }

# Starts klingport-sim with its image in FILE and the given options, linked where Wine's COM1 points.
simulator() {
  local bild="$1"
  shift
  "$sim" --link "$work/com1" --image "$bild" --baud 0 "$@" >"$work/sim.out" 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do [ -e "$work/com1" ] && return; sleep 0.1; done
  fail "klingport-sim did not start"
}
simulator_ende() {
  kill "${pids[-1]}"
  wait "${pids[-1]}" 2>/dev/null || true
  unset 'pids[-1]'
}
cli() { (cd "$work" && $wine "$folder/klingport-cli.exe" "$@"); }

echo "== klingport-cli.exe against the simulator, beside the Linux program"
cp "$root/tests/daten/gefuellt.kpk" "$root/tests/daten/gefuellt.kpb" "$work/"
simulator "$work/klingport.img"
[ "$(cli version --port COM1 | tr -d '\r')" = "$("$linuxcli" version --port "$work/com1")" ] || fail "version"
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

echo "== the settings in the registry: the port another program stored there"
settings='HKCU\Software\VB and VBA Program Settings\Welko Klingport Inbetriebnahmesoftware\Settings'
$wine reg add "$settings" /v Comport /t REG_SZ /d $'\x01' /f >/dev/null
cli version >/dev/null || fail "version through the stored COM1"
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

echo "== the installer"
msi="$windows/klingport-$version.msi"
$wine msiexec /i "$msi" /qn || fail "msiexec /i"
installiert="$WINEPREFIX/drive_c/Program Files/Klingport"
[ "$($wine "$installiert/klingport-cli.exe" --version | tr -d '\r')" = "klingport-cli $version" ] ||
  fail "the installed klingport-cli.exe"
# Wine's msiexec puts a per-machine installer's entry into the user's Start menu.
find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Klingport Inbetriebnahme.lnk' | grep -q . ||
  fail "no Start-menu entry"
$wine msiexec /x "$msi" /qn || fail "msiexec /x"
[ ! -e "$installiert/klingport-cli.exe" ] || fail "still installed after msiexec /x"

echo "All Wine checks passed."
