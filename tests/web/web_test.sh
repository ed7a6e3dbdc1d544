#!/usr/bin/env bash
# The web build, as CI checks it: the runner under node verifies the committed recording and a
# game the Linux runner recorded; the page, served from 127.0.0.1, runs in Debian's headless
# Chromium (page_test.mjs), and the game played there verifies on Linux and reached the stage.
#
# Usage: web_test.sh WEB_FOLDER LINUX_SIM LINUX_GAME_DIR RECORDING
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: $0 WEB_FOLDER LINUX_SIM LINUX_GAME_DIR RECORDING" >&2; exit 2; }
web=$(realpath "$1") sim=$(realpath "$2") game=$(realpath "$3") recording=$(realpath "$4")
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "-- $*"; }
fresh() {  # a folder holding the data and a fresh high score
  rm -rf "$1" && mkdir -p "$1" && cp -r "$game/Picture" "$game/Music" "$1/"
  printf '#あなたのハイスコアです。（上限は35450です）\r\n00000\r\n' >"$1/HighScore.ini"
}
node_sim() { node --no-experimental-fetch "$web/vormelda-sim.js" "$@"; }

step "the runner under node verifies the committed recording and one made on Linux"
fresh "$work/data"
node_sim --data "$work/data" --verify "$recording" || fail "the committed recording does not verify under node"
"$sim" --data "$work/data" --start boss:100 --autoplay=100 --seed 6 --record "$work/linux.txt" >/dev/null
node_sim --data "$work/data" --verify "$work/linux.txt" || fail "a Linux recording does not verify under node"

step "the page in headless Chromium"
(cd "$here" && npm ci --no-audit --no-fund --silent)
cp -r "$web" "$work/served"
fresh "$work/shot"
printf '1\n' >"$work/blank.txt"
"$sim" --data "$work/shot" --input "$work/blank.txt" --ticks 2 --shot "2:$work/served/title.png"
# The first minute of the recording: its lines up to tick 3600.
awk '/^#/ && !/^# check/ {print; next} {t = ($1 == "#") ? $3 : $1; if (t <= 3600) print}' \
  "$recording" >"$work/served/minute.txt"
mkdir -p "$work/out"
node "$here/page_test.mjs" "$work/served" "$work/out"

step "the game played in the page verifies on Linux, and reached the stage"
fresh "$work/check"
"$sim" --data "$work/check" --verify "$work/out/page-recording.txt" --trace "$work/page.jsonl" ||
  fail "the page's recording does not verify on Linux"
grep -q '"scene":"stage"' "$work/page.jsonl" || fail "Enter did not start the stage in the page"
echo "PASS: the web build"
