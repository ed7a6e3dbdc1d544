#!/usr/bin/env bash
# settings.ini in a real window on a 1920 x 1080 screen (Xvfb), as a player meets it: full screen
# fills the height by default, sharp; F10 is kept, and the next start opens the same way; a key
# bound in the file plays as the game key, and a recording names the game key; a broken file
# gives one line naming its line, the game starts on the defaults, and the file stays as it was.
#
# Usage: settings_window_test.sh path/to/game/vormelda path/to/vormelda-sim
# Needs Xvfb, xdotool, ImageMagick and python3. VORMELDA_SCREENSHOT_DIR, when set, keeps the
# screenshots of the three scalings there.
set -uo pipefail
[[ $# -eq 2 ]] || { echo "usage: $0 path/to/vormelda path/to/vormelda-sim" >&2; exit 2; }
exe=$(realpath -e "$1") sim=$(realpath -e "$2")
source_game=$(dirname "$exe")

work=$(mktemp -d)
game_pid=""
source "$(dirname -- "$0")/../support/x_display.sh"
cleanup() {
  [[ -n $game_pid ]] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
  stop_x_display
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  [[ -s $work/stderr ]] && { echo "--- the game's stderr ---" >&2; head -n 20 "$work/stderr" >&2; }
  exit 1
}

start_x_display 1920x1080 || fail "no X server"
export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=x11

# A game folder of its own: the player's files, settings.ini among them, go there.
folder() {
  rm -rf "$work/game" && mkdir -p "$work/game"
  cp -r "$source_game/Picture" "$source_game/Music" "$exe" "$work/game/"
  printf '#あなたのハイスコアです。（上限は35450です）\r\n00000\r\n' >"$work/game/HighScore.ini"
}
# (No leak check at exit in a sanitizer build: the system's D-Bus and GL libraries keep memory
# until then. The unit tests look for leaks.)
start() {
  (cd "$work/game" && ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    exec ./vormelda --mute "$@" >"$work/stdout" 2>"$work/stderr") &
  game_pid=$!
  window=$(wait_for_window '^Vormelda$' "$game_pid") || fail "no window"
  xdotool windowfocus --sync "$window" 2>/dev/null
  sleep 1.5
}
stop() {  # as a player closes it: the program ends with status 0
  kill -TERM "$game_pid"
  wait "$game_pid"
  local status=$?
  game_pid=""
  ((status == 0)) || fail "the game ended with status $status"
}
# The rectangle of the field in the window: where it is not black.
field_rect() {
  import -window "$window" "$work/$1.png" 2>/dev/null || fail "cannot capture the window"
  [[ -n ${VORMELDA_SCREENSHOT_DIR:-} ]] && cp "$work/$1.png" "$VORMELDA_SCREENSHOT_DIR/$1.png"
  convert "$work/$1.png" -fuzz 2% -trim -format '%wx%h%X%Y' info: 2>/dev/null
}

echo "-- full screen on 1920 x 1080 fills the height by default, sharp"
folder
start --fullscreen
rect=$(field_rect scaling-sharp-fill)
[[ $rect == "810x1080+555+0" ]] || fail "full screen shows the field at $rect, not 810x1080+555+0"
[[ ! -e $work/game/settings.ini ]] || fail "settings.ini written though the player changed nothing"
xdotool key F10
sleep 1
rect=$(field_rect scaling-smooth-fill)
[[ $rect == "810x1080+555+0" ]] || fail "smooth fill shows the field at $rect"
stop
grep -q '^scaling = smooth-fill$' "$work/game/settings.ini" || fail "F10 was not kept"
start
rect=$(field_rect restarted)
[[ $rect == "810x1080+555+0" ]] || fail "the restart opened at $rect"
xdotool key F10  # from smooth fill, F10 goes on to the whole-number scale
sleep 1
rect=$(field_rect scaling-sharp)
[[ $rect == "420x560+750+260" ]] || fail "sharp whole-number scaling shows the field at $rect"
stop
echo "ok: $(grep -E '^(scaling|fullscreen) ' "$work/game/settings.ini" | tr '\n' ' ')"

echo "-- fire = Space fires with Space; the recording names the fire key"
folder
printf '[keys]\nfire = Space\n' >"$work/game/settings.ini"
start --record "$work/space.txt"
xdotool key Return && sleep 3 && xdotool keydown space && sleep 1 && xdotool keyup space
stop
grep -q '^[0-9]* X$' "$work/space.txt" || fail "Space did not fire: $(grep -v '^#' "$work/space.txt" | head)"
"$sim" --data "$work/game" --verify "$work/space.txt" --trace "$work/t.jsonl" >/dev/null ||
  fail "the recording made with Space does not verify"
grep -q '"CenterShots":\[{[^]]*"Alive":-1' "$work/t.jsonl" || fail "no shot flew"
echo "ok"

echo "-- a broken settings.ini: a line naming the line, the defaults, the file left as it was"
folder
printf '[keys]\nfire = NoSuchKey\n[sound]\nmusic = 250\n\x01\x02garbage\n' >"$work/game/settings.ini"
cp "$work/game/settings.ini" "$work/broken.ini"
start --record "$work/broken.txt"
xdotool key Return && sleep 3 && xdotool keydown x && sleep 1 && xdotool keyup x
stop
notice=$(grep 'settings.ini' "$work/stderr")
[[ $(wc -l <<<"$notice") == 1 && $notice == *'line 2: no key is named "NoSuchKey"'*'2 more lines'* ]] ||
  fail "not the one line naming the line: $notice"
grep -q '^[0-9]* X$' "$work/broken.txt" || fail "X, the default, did not fire"
cmp -s "$work/game/settings.ini" "$work/broken.ini" || fail "the broken file was overwritten"
echo "ok: $notice"
echo "PASS"
