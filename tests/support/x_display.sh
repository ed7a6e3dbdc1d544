# Sourced by the tests that play the game in a window on a virtual X server (bash).
#
# start_x_display WIDTHxHEIGHT
#   Starts Xvfb on a display number it picks itself and exports DISPLAY. Returns 1, saying why on stderr, when no display is up within 10 s.
#   The server never resets: by default it resets whenever its last client leaves (the game
#   between two starts, or a poll of xdotool), and a program that connects meanwhile is refused,
#   which SDL reports as "x11 not available".
#   The display has no D-Bus session of its own, and the programs on it are told so: without a
#   session's address, D-Bus would launch a session bus for each new display where dbus-launch is
#   installed (and leave it running), and what SDL asks of it would depend on the machine.
# stop_x_display
#   Ends the server, if one was started (for a script's cleanup).
# wait_for_window PATTERN PID [SECONDS]
#   Prints the first window whose caption matches PATTERN (an extended regular expression), once
#   one does, within SECONDS (15). Returns 1 when PID ends first or the time runs out; then it
#   says on stderr what was on the display and where PID's threads were waiting, so that a window
#   that never came can be told from a game that never got that far.

x_display_pid=""

start_x_display() {
  local fd_file
  fd_file=$(mktemp) || return 1
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$fd_file" >/dev/null 2>&1 &
  x_display_pid=$!
  local tries
  for ((tries = 0; tries < 100; ++tries)); do
    if grep -q '[0-9]' "$fd_file"; then
      DISPLAY=":$(tr -dc '0-9' <"$fd_file")"
      DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent/session-bus"
      export DISPLAY DBUS_SESSION_BUS_ADDRESS
      rm -f -- "$fd_file"
      return 0
    fi
    kill -0 "$x_display_pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f -- "$fd_file"
  echo "Xvfb did not report a display within 10 s" >&2
  return 1
}

stop_x_display() {
  [[ -n $x_display_pid ]] || return 0
  kill "$x_display_pid" 2>/dev/null && wait "$x_display_pid" 2>/dev/null
  x_display_pid=""
  return 0
}

wait_for_window() {
  local pattern=$1 pid=$2 seconds=${3:-15} tries window
  for ((tries = 0; tries < seconds * 10; ++tries)); do
    window=$(xdotool search --name "$pattern" 2>/dev/null | head -n 1) || true
    if [[ -n $window ]]; then
      echo "$window"
      return 0
    fi
    [[ $(ps -o stat= -p "$pid" 2>/dev/null) == [^Z]* ]] || {
      echo "the program ended before a window \"$pattern\" appeared" >&2
      return 1
    }
    sleep 0.1
  done
  {
    echo "no window \"$pattern\" within $seconds s; the windows on $DISPLAY:"
    xwininfo -root -tree 2>&1 | grep -E '^ +0x' | head -n 20
    describe_waits "$pid"
  } >&2
  return 1
}

# Where each thread of a running program waits: the kernel's view, and gdb's stacks when it is
# installed and may attach.
describe_waits() {
  local pid=$1 task
  echo "the threads of process $pid (name, state, kernel wait):"
  for task in /proc/"$pid"/task/*; do
    echo "  $(cat "$task/comm" 2>/dev/null) $(awk '{print $3}' "$task/stat" 2>/dev/null)" \
      "$(cat "$task/wchan" 2>/dev/null)"
  done
  if command -v gdb >/dev/null; then
    timeout 30 gdb -p "$pid" -batch -nx -ex 'thread apply all bt 12' 2>/dev/null |
      grep -E '^(Thread|#)' | head -n 80
  fi
}
