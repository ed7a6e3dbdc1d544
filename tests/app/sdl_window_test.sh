#!/usr/bin/env bash
# Runs the game in a virtual X server and checks its real window as a player would use it. One
# game, recorded with --record: the loading captions end at "Vormelda"; the picture is a
# whole-number scale of 420 x 560; keys typed into the window play; P pauses (no new frame, next
# to no CPU, the field dimmed); F12 writes the field, 420 x 560, to Screenshots without touching
# the caption; a resized window shows the field at a whole-number scale, centred on black, and F10
# fills it instead; closing while paused ends the program with status 0 within a second. Then the
# recording verifies in vormelda-sim, and plays back in the window (fast, with Tab held) to a
# match. Last, two games that end badly keep what was played: a window destroyed from outside ends
# the game with status 0 and a whole recording, and a game killed keeps its recording up to its
# last second.
#
# Usage: sdl_window_test.sh path/to/game/vormelda path/to/vormelda-sim
# Needs Xvfb, xdotool, ImageMagick (import, identify, stream) and python3.
# VORMELDA_SCREENSHOT_DIR, when set, keeps the screenshots there.
set -u
source "$(dirname -- "$0")/../support/x_display.sh"

usage() {
  echo "usage: $0 path/to/vormelda path/to/vormelda-sim" >&2
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

[[ $# -eq 2 ]] || usage
built=$(realpath -e -- "$1" 2>/dev/null) || fail "no such program: $1"
[[ -x $built ]] || fail "not an executable: $built"
sim=$(realpath -e -- "$2" 2>/dev/null) || fail "no such program: $2"
for tool in Xvfb xdotool xwininfo import identify stream python3; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done

readonly kTitle="Vormelda"
readonly kScreenWidth=1280
readonly kScreenHeight=1024

work=$(mktemp -d) || fail "cannot make a scratch folder"
game_pid=""

cleanup() {
  if [[ -n $game_pid ]] && kill -0 "$game_pid" 2>/dev/null; then
    kill "$game_pid" 2>/dev/null
    wait "$game_pid" 2>/dev/null
  fi
  stop_x_display
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
start_x_display "${kScreenWidth}x${kScreenHeight}" || fail "no X server"
echo "X server on display $DISPLAY"

# ---- the game, from a copy of its folder: its screenshots and high score land in the copy ----
game="$work/game"
mkdir -p -- "$game" || fail "cannot make the game's folder"
cp -r -- "$(dirname -- "$built")/Picture" "$(dirname -- "$built")/Music" \
  "$(dirname -- "$built")/HighScore.ini" "$game/" || fail "cannot copy the game's data"
cp -- "$built" "$game/vormelda" || fail "cannot copy the game"
exe="$game/vormelda"
recording="$work/game.rec"

# No leak check at exit in a sanitizer build: the system's D-Bus and GL libraries keep memory
# until then (partly in code that cannot be named), and the check would eat the time allowed
# for closing. The unit tests look for leaks.
start_game() {
  (cd -- "$work" && SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=x11 \
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    exec "$exe" "$@" >"$work/stdout" 2>"$work/stderr") &
  game_pid=$!
}
start_game --record "$recording"

window=$(wait_for_window "^${kTitle}" "$game_pid") || {
  require_alive "waiting for its window"
  fail "no window for the game"
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

# ---- keys, typed into the focused window: start a game and play a little ----
xdotool windowfocus --sync "$window" || fail "cannot focus the window"
xdotool key Return || fail "xdotool could not type"
sleep 1
for key in Left x Right; do
  xdotool keydown "$key"
  sleep 0.4
  xdotool keyup "$key"
done
xdotool key x x z
sleep 0.5
require_alive "playing"

# Raw RGB of the window, for comparing pixels.
capture() {
  import -window "$window" -depth 8 "rgb:$work/$1.rgb" 2>"$work/import.log" ||
    fail "cannot capture the window: $(cat "$work/import.log")"
  if [[ -n ${VORMELDA_SCREENSHOT_DIR:-} ]]; then
    import -window "$window" "png:$VORMELDA_SCREENSHOT_DIR/$1.png" 2>/dev/null
  fi
  return 0
}
window_size() { xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p'; }

# Checks that the window shows the field of the 420 x 560 picture shot.rgb, dimmed as while paused,
# at the given rectangle, and black around it. Rows of the word PAUSED are left out. Sharp
# scaling shows each pixel as the field's pixel under it; filtered scaling, as a blend of the
# field's pixels around it.
check_field_shown() {
  local what=$1 capture_file=$2 x=$3 y=$4 w=$5 h=$6 mode=${7:-sharp} ww wh
  read -r ww wh < <(window_size)
  python3 - "$capture_file" "$ww" "$wh" "$work/shot.rgb" "$x" "$y" "$w" "$h" "$mode" \
    >"$work/pixels" <<'PY' ||
import math
import sys

cap_file, ww, wh, shot_file, fx, fy, fw, fh, mode = sys.argv[1:]
ww, wh, fx, fy, fw, fh = map(int, (ww, wh, fx, fy, fw, fh))
cap = open(cap_file, "rb").read()
shot = open(shot_file, "rb").read()
if len(cap) != ww * wh * 3 or len(shot) != 420 * 560 * 3:
    sys.exit(f"unexpected sizes: capture {len(cap)} bytes for {ww}x{wh}, shot {len(shot)}")
dim = 96 / 255
word_top, word_bottom = fy + fh * 245 // 560, fy + fh * 315 // 560
bad = total = 0
for y in range(wh):
    for x in range(ww):
        inside = fx <= x < fx + fw and fy <= y < fy + fh
        if inside and word_top <= y < word_bottom:
            continue
        got = cap[3 * (y * ww + x):3 * (y * ww + x) + 3]
        total += 1
        if not inside:
            bad += any(g > 3 for g in got)
        elif mode == "sharp":
            # The source pixel under the centre of this one.
            sx, sy = (2 * (x - fx) + 1) * 420 // (2 * fw), (2 * (y - fy) + 1) * 560 // (2 * fh)
            want = [round(c * dim) for c in shot[3 * (sy * 420 + sx):3 * (sy * 420 + sx) + 3]]
            bad += any(abs(g - v) > 3 for g, v in zip(got, want))
        else:
            # Between the darkest and the brightest of the source pixels around its centre.
            cx = (x - fx + 0.5) * 420 / fw - 0.5
            cy = (y - fy + 0.5) * 560 / fh - 0.5
            xs = {min(419, max(0, math.floor(cx) + d)) for d in (0, 1)}
            ys = {min(559, max(0, math.floor(cy) + d)) for d in (0, 1)}
            around = [shot[3 * (sy * 420 + sx):3 * (sy * 420 + sx) + 3] for sx in xs for sy in ys]
            bad += any(g < round(min(p[c] for p in around) * dim) - 3 or
                       g > round(max(p[c] for p in around) * dim) + 3 for c, g in enumerate(got))
# Nearest-neighbour edges at a fractional scale may pick the pixel beside.
if bad > total // 50:
    sys.exit(f"{bad} of {total} pixels differ from the field at {fw}x{fh}+{fx}+{fy}")
print(f"{bad} of {total} pixels off")
PY
    fail "the $what window does not show the field as expected"
  echo "$what: the field at ${w}x${h}+${x}+${y} in a ${ww}x${wh} window, black around it ($(cat "$work/pixels"))"

}

# ---- pause: the picture stands still, dimmed, and the process sleeps ----
xdotool key p
sleep 0.3
capture paused1
cpu_ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
before=$(cpu_ticks)
sleep 2
after=$(cpu_ticks)
capture paused2
cmp -s "$work/paused1.rgb" "$work/paused2.rgb" || fail "the picture changed while paused"
ticks_per_s=$(getconf CLK_TCK)
echo "paused: the picture stands still; $((after - before)) CPU ticks of $((2 * ticks_per_s)) in 2 s"
((after - before <= 2 * ticks_per_s / 20)) || fail "the paused game used more than 5 % of a core"

# ---- F12: the field as shown, 420 x 560, in Screenshots; the caption stays ----
caption_before=$(xdotool getwindowname "$window")
xdotool key F12
deadline=$(($(now_ms) + 5000))
until compgen -G "$game/Screenshots/vormelda-*.png" >/dev/null; do
  require_alive "writing a screenshot"
  (($(now_ms) < deadline)) || fail "F12 wrote no screenshot into $game/Screenshots"
  sleep 0.05
done
sleep 0.2
shot=$(compgen -G "$game/Screenshots/vormelda-*.png" | head -n 1)
[[ $(identify -format '%w %h' "$shot") == "420 560" ]] || fail "the screenshot is not 420 x 560"
[[ $(xdotool getwindowname "$window") == "$caption_before" ]] || fail "F12 changed the caption"
stream -map rgb -storage-type char "$shot" "$work/shot.rgb" || fail "cannot read $shot"
[[ -n ${VORMELDA_SCREENSHOT_DIR:-} ]] && cp -- "$shot" "$VORMELDA_SCREENSHOT_DIR/f12.png"
echo "F12 wrote $(basename -- "$shot"), 420 x 560"
read -r ww wh < <(window_size)
check_field_shown "paused" "$work/paused2.rgb" 0 0 "$ww" "$wh"

# ---- scaling: a window whose whole-number scale leaves more than a quarter of its height unused
# is filled by default, sharp; F10 goes on to smooth fill, then to the whole-number scale ----
# (Moved to the corner first, so that all of it is on the screen.)
xdotool windowmove --sync "$window" 0 0 && xdotool windowsize --sync "$window" 1000 900 ||
  fail "cannot resize the window"
sleep 0.5
capture sharpfill
check_field_shown "filled sharp" "$work/sharpfill.rgb" 162 0 675 900 filtered
xdotool key F10
sleep 0.5
capture smoothfill
check_field_shown "filled smooth" "$work/smoothfill.rgb" 162 0 675 900 filtered
xdotool key F10
sleep 0.5
capture whole
check_field_shown "whole-number" "$work/whole.rgb" 290 170 420 560

# ---- F11: full screen; with no window manager to ask, the window itself covers the screen ----
await_size() {
  local deadline=$(($(now_ms) + 5000))
  until [[ $(window_size) == "$1" ]]; do
    (($(now_ms) < deadline)) || fail "$2 (the window is $(window_size))"
    sleep 0.05
  done
  sleep 0.3  # and a frame drawn at that size
}
xdotool key F11
await_size "$kScreenWidth $kScreenHeight" "F11 did not cover the screen"
capture full
check_field_shown "full-screen" "$work/full.rgb" 430 232 420 560
xdotool key F11
await_size "1000 900" "F11 again did not give the window back its size"

# ---- closing while paused: the close request must end the program with status 0 within 1 s ----
# (VORMELDA_CLOSE_LIMIT_MS allows more for a slow build.)
close_limit_ms=${VORMELDA_CLOSE_LIMIT_MS:-1000}
request_close() {
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
}
request_close
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
echo "closed while paused: the game ended with status 0 after ${elapsed} ms"

# ---- the recording: what was typed, verified headless, then played back in the window ----
grep -q '^[0-9]* .*Enter' "$recording" && grep -q '^[0-9]* .*Left' "$recording" ||
  fail "the recording lacks the keys typed: $(head -c 600 "$recording")"
"$sim" --data "$game" --verify "$recording" >"$work/verify.txt" 2>&1 ||
  fail "the recording does not verify: $(cat "$work/verify.txt")"
echo "vormelda-sim: $(cat "$work/verify.txt")"

# Twice the field's size, where the picture is scaled by the GPU's renderer, not copied.
start_game --replay "$recording" --mute --window-scale 2
window=$(wait_for_window "^${kTitle}" "$game_pid") || fail "no window for the replay"
[[ $(window_size) == "840 1120" ]] || fail "--window-scale 2 opened a window of $(window_size)"
xdotool windowfocus --sync "$window" && xdotool keydown Tab  # four times as fast
deadline=$(($(now_ms) + 60000))
while game_alive; do
  (($(now_ms) < deadline)) || fail "the replay did not end within 60 s"
  sleep 0.1
done
xdotool keyup Tab
wait "$game_pid"
status=$?
game_pid=""
((status == 0)) || fail "the replay ended with status $status"
grep -q "the replay matched \([0-9]*\) of the recording's \1 checks" "$work/stdout" ||
  fail "the replay did not match: $(cat "$work/stdout")"
echo "$(cat "$work/stdout")"

# ---- games that end badly: the window destroyed from outside, the program killed ----
# play_recorded FILE SECONDS: starts a recorded game, starts the stage and plays for a while.
play_recorded() {
  start_game --record "$1" --mute
  window=$(wait_for_window "^${kTitle}$" "$game_pid") || fail "no window for a recorded game"
  xdotool windowfocus --sync "$window" && xdotool key Return
  sleep 1
  xdotool keydown Left && sleep "$2" && xdotool keyup Left
}
play_recorded "$work/destroyed.rec" 2
xdotool windowclose "$window"  # XDestroyWindow, as a crashed compositor would leave it
wait "$game_pid"
status=$?
game_pid=""
((status == 0)) || fail "a window destroyed from outside ended the game with status $status: $(head -c 300 "$work/stderr")"
tail -n 1 "$work/destroyed.rec" | grep -q ' close$' || fail "the recording of the destroyed window is not whole"
"$sim" --data "$game" --verify "$work/destroyed.rec" >"$work/verify.txt" 2>&1 ||
  fail "the recording of the destroyed window does not verify: $(cat "$work/verify.txt")"
echo "window destroyed from outside: status 0; $(cat "$work/verify.txt")"

play_recorded "$work/killed.rec" 3
kill -KILL "$game_pid"
wait "$game_pid" 2>/dev/null
game_pid=""
checks=$(grep -c '^# check ' "$work/killed.rec")
((checks >= 3)) || fail "a killed game kept only $checks checks of its recording"
"$sim" --data "$game" --verify "$work/killed.rec" >"$work/verify.txt" 2>&1 ||
  fail "the recording of the killed game does not verify: $(cat "$work/verify.txt")"
echo "killed: $(cat "$work/verify.txt")"
echo "PASS"
