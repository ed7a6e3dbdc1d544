#!/usr/bin/env bash
# Builds the Debian package from a release build and checks it as a player's machine would see it:
# lintian finds no error, the desktop entry and the AppStream metadata validate, and the game
# unpacked with dpkg-deb (into a folder its player cannot write) finds its data from anywhere,
# plays a game to its game over, and keeps the high score in the player's own folder.
# Usage: scripts/package-check.sh [BUILD_DIR]   (default build/release, already built)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/release}")
./scripts/install-deps.sh --package

work=$(mktemp -d)
chmod 755 "$work"
source "$(dirname -- "$0")/../tests/support/x_display.sh"
game_pid=""
player=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  stop_x_display
  [ -n "$player" ] && userdel -r "$player" 2>/dev/null
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "package check: $*" >&2
  exit 1
}

# The package, and what lintian says of it (warnings shown, errors fail).
(cd "$build" && rm -f vormelda_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$build"/vormelda_*_*.deb)
echo "package check: built $(basename "$deb")"
lintian --fail-on error --tag-display-limit 0 "$deb"
dpkg-deb -f "$deb" Depends | grep -q libsdl2-2.0-0 || fail "the package does not depend on SDL2"

root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/vormelda.desktop"
appstream-util validate-relax --nonet "$root/usr/share/metainfo/vormelda.metainfo.xml"
game="$root/usr/games/vormelda"
data="$root/usr/share/vormelda"
[ -x "$game" ] && [ -f "$data/HighScore.ini" ] || fail "the package lacks the game or its data"

# Headless, with the unpacked data: a title, a game played holding fire, and its game over, whose
# score must reach the player's folder (which starts with no HighScore.ini: the default is copied).
mkdir "$work/save"
printf '1 tap:Enter\n60 X\n' > "$work/fire.txt"
"$build/game/vormelda-sim" --data "$data" --save "$work/save" --input "$work/fire.txt" \
  --ticks 1500 --trace "$work/trace.jsonl" --trace-every 100 >/dev/null
grep -q '"scene":"gameover"' "$work/trace.jsonl" || fail "the headless game reached no game over"
sed -n 2p "$work/save/HighScore.ini" | grep -qv '^00000' || fail "the headless game saved no score"

# The unpacked game in a real window, started from elsewhere by an ordinary user who cannot write
# the program's folders (as root, a user made for the check; otherwise the folders made read-only).
if [ "$(id -u)" -eq 0 ]; then
  player="vormelda-check-$$"
  useradd --create-home --home-dir "$work/home" "$player"
  as_player() { runuser -u "$player" -- env HOME="$work/home" "$@"; }
else
  chmod -R a-w "$root"
  mkdir "$work/home"
  as_player() { env HOME="$work/home" XDG_DATA_HOME= "$@"; }
fi
start_x_display 1024x768 || fail "Xvfb did not start"
touch "$work/before"
(cd / && as_player DISPLAY="$DISPLAY" SDL_AUDIODRIVER=dummy "$game" >"$work/game.log" 2>&1) &
game_pid=$!
window=$(wait_for_window '^Vormelda$' "$game_pid" 20) ||
  fail "the unpacked game opened no window: $(cat "$work/game.log")"
saved="$work/home/.local/share/vormelda/HighScore.ini"
[ -f "$saved" ] && sed -n 2p "$saved" | grep -q '^00000' ||
  fail "the first run did not give the player the default HighScore.ini"
sleep 1
xdotool windowfocus --sync "$window" key Return
sleep 2
xdotool keydown x
for _ in $(seq 120); do
  sed -n 2p "$saved" | grep -qv '^00000' && break
  sleep 0.5
done
xdotool keyup x
sed -n 2p "$saved" | grep -qv '^00000' || fail "no score reached $saved"
# Ends as on a desktop's log-out: SIGTERM to the game, which closes at once with status 0.
kill -TERM "$(xdotool getwindowpid "$window")"
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "the game ended with status $status: $(cat "$work/game.log")"
written=$(find "$root" -newer "$work/before" -print)
[ -z "$written" ] || fail "the game wrote into its program folders: $written"
echo "package check: passed (score $(sed -n 2p "$saved" | tr -d '\r') kept in the player's folder)"
