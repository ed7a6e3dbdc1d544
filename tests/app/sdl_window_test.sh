#!/usr/bin/env bash
# Runs the game in a virtual X server and checks its real window: the loading captions end at
# "Vormelda", the window takes keys, shows a picture at a whole-number scale of 420 x 560, and
# closing it ends the program with status 0 within a second.
#
# Usage: sdl_window_test.sh path/to/game/vormelda
# Needs Xvfb, xdotool, ImageMagick (import, identify) and python3 (to send the close request).
# VORMELDA_SCREENSHOT_DIR, when set, keeps the screenshots there.
set -u

usage() {
  echo "usage: $0 path/to/vormelda" >&2
  exit 2
}
fail() {
  echo "FAIL: $*" >&2
  if [[ -n ${work:-} && -s $work/stderr ]]; then
    echo "--- the game's stderr ---" >&2
    head -n 40 "$work/stderr" >&2
  fi
  exit 1
}

[[ $# -eq 1 ]] || usage
exe=$(realpath -e -- "$1" 2>/dev/null) || fail "no such program: $1"
[[ -x $exe ]] || fail "not an executable: $exe"
for tool in Xvfb xdotool import identify python3; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done

readonly kTitle="Vormelda"
readonly kScreenWidth=1280
readonly kScreenHeight=1024

work=$(mktemp -d) || fail "cannot make a scratch folder"
xvfb_pid=""
game_pid=""

cleanup() {
  if [[ -n $game_pid ]] && kill -0 "$game_pid" 2>/dev/null; then
    kill "$game_pid" 2>/dev/null
    wait "$game_pid" 2>/dev/null
  fi
  if [[ -n $xvfb_pid ]] && kill -0 "$xvfb_pid" 2>/dev/null; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf -- "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# True while the game runs (a finished child that was not waited for yet does not count).
game_alive() {
  local state
  state=$(ps -o stat= -p "$game_pid" 2>/dev/null) || return 1
  [[ $state != Z* ]]
}

require_alive() {
  game_alive && return 0
  wait "$game_pid"
  local rc=$?
  game_pid=""
  fail "the game ended by itself with status $rc while $1"
}

# ---- the X server, on a display number it picks itself ----
Xvfb -displayfd 3 -screen 0 "${kScreenWidth}x${kScreenHeight}x24" -nolisten tcp \
  3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
deadline=$(($(now_ms) + 10000))
until [[ -s $work/display ]] && grep -q '[0-9]' "$work/display"; do
  kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(tail -n 5 "$work/xvfb.log")"
  (($(now_ms) < deadline)) || fail "Xvfb did not report its display within 10 s"
  sleep 0.05
done
DISPLAY=":$(tr -dc '0-9' <"$work/display")"
export DISPLAY
echo "X server on display $DISPLAY"

# ---- the game ----
# No leak check at exit in a sanitizer build: the system's D-Bus and GL libraries keep memory
# until then (partly in code that cannot be named), and the check would eat the time allowed
# for closing. The unit tests look for leaks.
cd -- "$(dirname -- "$exe")" || fail "cannot enter the game folder"
SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=x11 \
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
  "$exe" >"$work/stdout" 2>"$work/stderr" &
game_pid=$!

window=$(timeout 15 xdotool search --sync --name "^${kTitle}" 2>/dev/null | head -n 1)
[[ -n $window ]] || {
  require_alive "waiting for its window"
  fail "no window with a caption starting with \"$kTitle\" appeared within 15 s"
}
echo "window $window"

# ---- captions: loading progress, then the bare title ----
captions=()
last=""
deadline=$(($(now_ms) + 20000))
while :; do
  require_alive "loading"
  caption=$(xdotool getwindowname "$window" 2>/dev/null) || fail "the window went away while loading"
  if [[ $caption != "$last" ]]; then
    captions+=("$caption")
    last=$caption
  fi
  [[ $caption == "$kTitle" ]] && break
  (($(now_ms) < deadline)) || fail "the caption is still \"$caption\" after 20 s (a message box open?)"
  sleep 0.01
done
printf 'captions seen:\n'
printf '  "%s"\n' "${captions[@]}"
# Every caption before the last is a loading step: the title, " - Now Loading...", a space
# (ideographic before 10/10) and the step.
loading_re="^${kTitle} - Now Loading\.\.\.(　[0-9]| 10)/10$"
for ((i = 0; i + 1 < ${#captions[@]}; ++i)); do
  [[ ${captions[i]} =~ $loading_re ]] || fail "unexpected caption \"${captions[i]}\" during loading"
done

# ---- the picture: a whole-number scale of the field, not all black ----
expected_scale=$(((kScreenWidth - 8) / 420 < (kScreenHeight - 40) / 560 ? (kScreenWidth - 8) / 420 : (kScreenHeight - 40) / 560))
((expected_scale >= 1)) || expected_scale=1

# Takes screenshots until one is not all black (up to 5 s) and checks its size.
check_picture() {
  local what=$1 shot="$work/$1.png" info w h max scale
  local deadline=$(($(now_ms) + 5000))
  while :; do
    require_alive "taking the $what screenshot"
    if import -window "$window" "png:$shot" 2>"$work/import.log" &&
      info=$(identify -format '%w %h %[max]' "$shot" 2>/dev/null); then
      read -r w h max <<<"$info"
      if [[ ${max%%.*} != 0 ]]; then break; fi
    fi
    (($(now_ms) < deadline)) || fail "the $what screenshot is still all black (or failed: $(cat "$work/import.log"))"
    sleep 0.1
  done
  ((w % 420 == 0 && h % 560 == 0 && w / 420 == h / 560)) ||
    fail "the $what window is ${w}x${h}, not a whole-number scale of 420x560"
  scale=$((w / 420))
  ((scale == expected_scale)) ||
    fail "the $what window opened at scale $scale, expected $expected_scale on a ${kScreenWidth}x${kScreenHeight} screen"
  echo "$what screenshot: ${w}x${h} (scale $scale), not black"
  if [[ -n ${VORMELDA_SCREENSHOT_DIR:-} ]]; then
    cp -- "$shot" "$VORMELDA_SCREENSHOT_DIR/" || fail "cannot keep the $what screenshot"
  fi
}
check_picture title

# ---- keys ----
for key in Return x z Left Right Up Down; do
  xdotool key --window "$window" "$key" || fail "xdotool could not send $key"
  sleep 0.05
done
for key in Left x; do
  xdotool keydown --window "$window" "$key"
  sleep 0.3
  xdotool keyup --window "$window" "$key"
done
sleep 0.5
require_alive "taking keys"
check_picture "after-keys"

# ---- closing: the window's close request must end the program with status 0 within 1 s ----
# (VORMELDA_CLOSE_LIMIT_MS allows more for a slow build.)
close_limit_ms=${VORMELDA_CLOSE_LIMIT_MS:-1000}
python3 - "$window" <<'PY' || fail "could not send the close request to the window"
# Sends WM_DELETE_WINDOW, as a window manager does when the close button is clicked.
import ctypes, sys

x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                         ctypes.c_void_p]
x.XFlush.argtypes = [ctypes.c_void_p]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]


display = x.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
window = int(sys.argv[1])
event = XEvent()
event.xclient.type = 33  # ClientMessage
event.xclient.window = window
event.xclient.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.xclient.format = 32
event.xclient.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
event.xclient.data[1] = 0  # CurrentTime
if not x.XSendEvent(display, window, 0, 0, ctypes.byref(event)):
    sys.exit("XSendEvent failed")
x.XFlush(display)
x.XCloseDisplay(display)
PY
closed_at=$(now_ms) # the request is out once python3 has flushed it and returned

while game_alive; do
  if (($(now_ms) - closed_at > close_limit_ms)); then
    fail "the game still runs ${close_limit_ms} ms after its window was asked to close"
  fi
  sleep 0.01
done
wait "$game_pid"
status=$?
game_pid=""
elapsed=$(($(now_ms) - closed_at))
((status == 0)) || fail "the game ended with status $status after the window was closed"
echo "closed: the game ended with status 0 after ${elapsed} ms"
echo "PASS"
