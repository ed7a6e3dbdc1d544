#!/usr/bin/env bash
# The Windows zip as a player unpacks it, run under Wine on a virtual display:
# - every DLL the programs and libraries import is in the zip or is part of Windows;
# - vormelda-sim.exe verifies the committed recording and a game the Linux runner recorded, and
#   a game it records verifies on Linux: recordings are the same file on both systems;
# - a perfect game writes the certificates under their exact Japanese names;
# - vormelda.exe shows the title moving while the process uses little CPU, Enter starts the
#   stage, and Alt+F4 ends it with status 0; the game it recorded verifies on Linux.
#
# Usage: zip_under_wine_test.sh ZIP LINUX_SIM LINUX_GAME_DIR RECORDING
# Needs wine, Xvfb, xdotool, ImageMagick and binutils-mingw-w64-x86-64.
set -euo pipefail

[ $# -eq 4 ] || { echo "usage: $0 ZIP LINUX_SIM LINUX_GAME_DIR RECORDING" >&2; exit 2; }
zip=$(realpath "$1") sim=$(realpath "$2") game=$(realpath "$3") recording=$(realpath "$4")

work=$(mktemp -d)
source "$(dirname -- "$0")/../support/x_display.sh"
cleanup() {
  wineserver -k 2>/dev/null || true
  stop_x_display
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "-- $*"; }

# The DLLs of Windows itself that the programs and SDL may import.
readonly kWindowsDlls="advapi32.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll ole32.dll
oleaut32.dll setupapi.dll shell32.dll user32.dll version.dll winmm.dll"

unzip -q "$zip" -d "$work/unzipped"
w=$(find "$work/unzipped" -mindepth 1 -maxdepth 1 -type d | head -n 1)
for f in vormelda.exe vormelda-sim.exe HighScore.ini README.txt Picture Music licences; do
  [ -e "$w/$f" ] || fail "the zip has no $f"
done

step "every imported DLL is shipped or is Windows' own"
for binary in "$w"/*.exe "$w"/*.dll; do
  for dll in $(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p'); do
    lower=$(tr 'A-Z' 'a-z' <<<"$dll")
    if ! grep -qiw -- "$lower" <<<"$kWindowsDlls" && [ ! -f "$w/$dll" ]; then
      fail "$(basename "$binary") imports $dll, which is neither in the zip nor part of Windows"
    fi
  done
done
subsystem() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^Subsystem\s*[0-9a-f]*\s*//p'; }
[ "$(subsystem "$w/vormelda.exe")" = "(Windows GUI)" ] ||
  fail "vormelda.exe is not a program for the desktop (it would open a console)"
[ "$(subsystem "$w/vormelda-sim.exe")" = "(Windows CUI)" ] || fail "vormelda-sim.exe lost its console"

step "a display, then a fresh Wine prefix (a prefix first started without one opens no windows)"
start_x_display 1280x1024 || fail "no X server"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
wineboot -i >/dev/null 2>&1 || fail "wineboot failed"

fresh() {  # a folder holding the data and a fresh high score
  rm -rf "$1" && mkdir -p "$1" && cp -r "$game/Picture" "$game/Music" "$1/"
  printf '#あなたのハイスコアです。（上限は35450です）\r\n00000\r\n' >"$1/HighScore.ini"
}

step "the committed recording verifies under Wine"
(cd "$w" && wine ./vormelda-sim.exe --verify "$(winepath -w "$recording")") ||
  fail "the committed recording does not verify under Wine"

step "a game the Linux runner recorded verifies under Wine, and one Wine recorded on Linux"
fresh "$work/linux"
"$sim" --data "$work/linux" --start boss:75 --autoplay=75 --record "$work/linux.txt" >/dev/null
(cd "$w" && wine ./vormelda-sim.exe --verify "$(winepath -w "$work/linux.txt")") ||
  fail "a recording made on Linux does not verify under Wine"
fresh "$work/wine"
(cd "$w" && wine ./vormelda-sim.exe --data "$(winepath -w "$work/wine")" --seed 9 --start boss:100 \
  --autoplay=100 --record "$(winepath -w "$work/wine.txt")" >/dev/null) ||
  fail "vormelda-sim.exe could not record a game"
fresh "$work/check"
"$sim" --data "$work/check" --verify "$work/wine.txt" || fail "a recording made under Wine does not verify on Linux"
cmp -s <(grep -v '^#' "$work/wine.txt") <(grep -v '^#' "$work/wine.txt" | tr -d '\r') ||
  fail "the recording made under Wine has Windows line ends"

step "a perfect game writes the certificates under their own names"
fresh "$work/perfect"
(cd "$w" && wine ./vormelda-sim.exe --data "$(winepath -w "$work/perfect")" --seed 4 \
  --input "$(winepath -w "$recording")" >/dev/null)
[ -f "$work/perfect/★最高点の証★.txt" ] || fail "no top score certificate under its name"
[ -f "$work/perfect/●ノーミス・ノーボムの証●.txt" ] || fail "no no-miss certificate under its name"
grep -q 35450 "$work/perfect/HighScore.ini" || fail "the perfect score was not saved"

step "vormelda.exe: the title moves at little CPU, Enter starts the stage, Alt+F4 ends it"
(cd "$w" && exec wine ./vormelda.exe --mute --record "$(winepath -w "$work/window.txt")") \
  >"$work/game.log" 2>&1 &
game_pid=$!
window=$(wait_for_window '^Vormelda$' "$game_pid" 30) || fail "no window named Vormelda appeared"
sleep 2
pid=$(pgrep -f 'vormelda.exe --mute' | head -n 1)
shot() { xdotool getwindowgeometry "$window" >/dev/null && import -window "$window" "$1" 2>/dev/null; }
shot "$work/a.png"
ticks0=$(awk '{print $14 + $15}' "/proc/$pid/stat")
sleep 5
ticks1=$(awk '{print $14 + $15}' "/proc/$pid/stat")
shot "$work/b.png"
cpu=$(((ticks1 - ticks0) * 100 / (5 * $(getconf CLK_TCK))))
echo "vormelda.exe at the title: ${cpu} % of a core"
[ "$cpu" -le 25 ] || fail "the title takes ${cpu} % of a core: its frames do not wait"
[ "$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 || true)" != 0 ] ||
  fail "the title did not move"
# (xdotool's complaint that no window manager answers about the focus is of no matter here.)
xdotool key --window "$window" Return 2>/dev/null
sleep 3
xdotool keydown --window "$window" x Left 2>/dev/null
sleep 1
xdotool keyup --window "$window" x Left 2>/dev/null
xdotool key --window "$window" alt+F4 2>/dev/null
status=0
wait "$game_pid" || status=$?
[ "$status" = 0 ] || fail "vormelda.exe ended with status $status after Alt+F4"
fresh "$work/window"
"$sim" --data "$work/window" --verify "$work/window.txt" --trace "$work/window.jsonl" ||
  fail "the game played in the window does not verify on Linux"
grep -q '"scene":"stage"' "$work/window.jsonl" || fail "Enter did not start the stage"
echo "PASS: the Windows zip under Wine"
