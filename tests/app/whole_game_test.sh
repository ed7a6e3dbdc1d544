#!/usr/bin/env bash
# Whole games through vormelda-sim: the committed replay, autoplayed games at each speed, the
# perfect game's certificates unlocking the faster modes, and a soak of games back to back.
# Usage: whole_game_test.sh SIM GAME_DIR REPLAY CHECK [ARG]
set -euo pipefail
sim=$1 game=$2 replay=$3 check=$4 arg=${5:-}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$game/Picture" "$game/Music" "$work/"
fresh_high_score() { printf '#あなたのハイスコアです。（上限は35450です）\r\n00000\r\n' > "$work/HighScore.ini"; }
certify() { printf 'x\r\n' > "$work/★最高点の証★.txt"; printf 'x\r\n' > "$work/●ノーミス・ノーボムの証●.txt"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
field() { sed -n "s/.* $1=\([^ ]*\).*/\1/p" <<<"$2"; }
fresh_high_score

case $check in
  replay)
    # Any change to how the game behaves shows as a checksum mismatch at a named tick.
    "$sim" --data "$work" --verify "$replay" || fail "the recorded game no longer replays"
    ;;
  autoplay)
    fps=$arg
    [ "$fps" = 60 ] || certify
    line=$("$sim" --data "$work" --autoplay="$fps" --seed 3 --trace "$work/t.jsonl" --trace-every 25 \
      --log "$work/log.txt" --record "$work/game.txt")
    echo "$line"
    [ "$(field fps "$line")" = "$fps" ] || fail "played at the wrong speed"
    [ "$(field ending "$line")" = yes ] || fail "the autoplay did not reach the ending"
    score=$(field score "$line")
    grep -q "$(printf '%05d' "$score")" "$work/HighScore.ini" || fail "HighScore.ini not rewritten"
    # The title screen sets the bare caption at each visit: once before the game, once after.
    [ "$(grep -c ' caption Vormelda$' "$work/log.txt")" = 2 ] || fail "the game did not return to the title"
    grep -q "\"FramesPerSecond\":$fps" "$work/t.jsonl" || fail "FramesPerSecond never $fps"
    # The recording of the game replays from the same files.
    fresh_high_score
    "$sim" --data "$work" --verify "$work/game.txt" || fail "the autoplayed game's recording does not verify"
    ;;
  practice)
    # The practice start at the boss, played by the autoplay: short enough for every build.
    line=$("$sim" --data "$work" --start boss --autoplay --record "$work/boss.txt")
    echo "$line"
    [ "$(field ending "$line")" = yes ] || fail "the autoplay did not beat the boss"
    fresh_high_score
    "$sim" --data "$work" --verify "$work/boss.txt" || fail "the practice recording does not verify"
    ;;
  perfect)
    line=$("$sim" --data "$work" --autoplay --seed 4)
    echo "$line"
    [ "$(field score "$line")" = 35450 ] || fail "not the perfect game"
    [ -f "$work/★最高点の証★.txt" ] || fail "no top score certificate"
    [ -f "$work/●ノーミス・ノーボムの証●.txt" ] || fail "no no-miss certificate"
    for key in X Z; do
      printf '3 tap:%s\n' "$key" > "$work/in.txt"
      "$sim" --data "$work" --input "$work/in.txt" --ticks 12 --trace "$work/k.jsonl"
      want=$([ "$key" = X ] && echo 75 || echo 100)
      tail -n 1 "$work/k.jsonl" | grep -q "\"scene\":\"intro\".*\"FramesPerSecond\":$want" ||
        fail "the next title did not start with $key at $want frames a second"
    done
    ;;
  strength)
    # Over seeds 1 to 10: every game to the ending with no miss and no bomb, at least 9 perfect.
    # Two at a time, each in a folder of its own.
    for seed in $(seq 1 10); do echo "$seed"; done | xargs -P 2 -I{} bash -c \
      'mkdir "$2/{}" && cp -r "$2/Picture" "$2/Music" "$2/HighScore.ini" "$2/{}/" &&
       "$1" --data "$2/{}" --autoplay --seed {} > "$2/{}.txt"' _ "$sim" "$work" || fail "a game failed"
    endings=0 perfect=0
    for seed in $(seq 1 10); do
      line=$(cat "$work/$seed.txt")
      echo "$line"
      [[ "$line" == *" misses=0 bombs=0 "*" ending=yes"* ]] && endings=$((endings + 1))
      [[ "$line" == *" score=35450 enemies=187 items=5 misses=0 bombs=0 "* ]] && perfect=$((perfect + 1))
    done
    echo "$endings clean endings, $perfect perfect games"
    [ "$endings" -eq 10 ] || fail "only $endings of 10 games reached the ending with no miss and no bomb"
    [ "$perfect" -ge 9 ] || fail "only $perfect of 10 games were perfect"
    ;;
  soak | soak-games)
    # "soak" also holds the memory flat; under the sanitizers memory is theirs (freed blocks wait
    # in quarantine), and their leak check at exit stands in for it.
    games=$arg
    # Enter every 50 ticks starts each game and leaves each game over: games end at once.
    ticks=$((games * 1100))
    for ((t = 50; t <= ticks; t += 50)); do echo "$t tap:Enter"; done > "$work/soak.txt"
    "$sim" --data "$work" --input "$work/soak.txt" --ticks "$ticks" --memory > "$work/memory.txt"
    visits=$(wc -l < "$work/memory.txt")
    [ "$visits" -gt "$games" ] || fail "only $visits title visits"
    [ "$check" = soak ] || { echo PASS; exit 0; }
    early=$(sed -n "s/.*title-visit=$((games / 5)) rss_kb=//p" "$work/memory.txt")
    late=$(sed -n "s/.*title-visit=$games rss_kb=//p" "$work/memory.txt")
    echo "resident memory: ${early} kB at game $((games / 5)), ${late} kB at game $games"
    [ $((late - early)) -le 2048 ] || fail "memory grew by $((late - early)) kB"
    ;;
  *) fail "unknown check $check" ;;
esac
echo PASS
