#!/usr/bin/env bash
# Strange files in the data's place, one case a row, through the headless runner: a folder, a
# pipe, a device, a huge file, a picture too large to decode, a sound cut short, a recording cut
# short or absurd, a linked high score file. Each must end as it says (an exit status and a line
# naming the file, or the game going on), without hanging and in bounded memory.
# Usage: hostile_files_test.sh SIM GAME_DIR
set -uo pipefail
sim=$1 game=$2
readonly kHang=60        # seconds: far beyond any case's run; only a hang reaches it
readonly kMemoryMb=600   # far below what reading a huge file or decoding a huge picture takes

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# A PNG whose header says width x height; with pixels (1-bit grey, all black) when asked.
png() {
  python3 - "$@" <<'PY'
import struct, sys, zlib
path, w, h, full = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4] == "1"
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 1, 0, 0, 0, 0))
if full:
    z = zlib.compressobj(9)
    row = b"\x00" * (1 + (w + 7) // 8)
    data = b"".join(z.compress(row) for _ in range(h)) + z.flush()
    out += chunk(b"IDAT", data) + chunk(b"IEND", b"")
open(path, "wb").write(out)
PY
}

# A WAV header that claims a data chunk of the file's whole size.
big_wav() {
  printf 'RIFF\xff\xff\xff\x7fWAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x40\x1f\x00\x00\x40\x1f\x00\x00\x01\x00\x08\x00data\xff\xff\xff\x7f' >"$1"
  truncate -s 1G "$1"
}

# case NAME SETUP ARGS STATUS TEXT [CHECK]: in a fresh copy of the game folder $d, SETUP runs;
# then the runner with ARGS must end with STATUS, TEXT (when given) must stand in its error
# output or log, and CHECK (when given) must hold afterwards.
case_() {
  local name=$1 setup=$2 args=$3 want=$4 text=$5 check=${6:-}
  local d="$work/$name"
  mkdir -p "$d" && cp -r "$game/Picture" "$game/Music" "$d/"
  printf '#あなたのハイスコアです。（上限は35450です）\r\n00000\r\n' >"$d/HighScore.ini"
  (cd "$d" && eval "$setup") || { fail "$name: the setup failed"; return; }
  timeout "$kHang" /usr/bin/time -f %M -o "$d.mem" "$sim" --data "$d" $args --log "$d.log" \
    >"$d.out" 2>"$d.err"
  local status=$?
  local kb
  kb=$(tail -n 1 "$d.mem" 2>/dev/null)
  if [[ $status == 124 ]]; then
    fail "$name: still running after $kHang s"
  elif [[ $status != "$want" ]]; then
    fail "$name: status $status, not $want: $(head -c 300 "$d.err")"
  elif [[ -n $text ]] && ! grep -qF -- "$text" "$d.err" "$d.log"; then
    fail "$name: no \"$text\" in: $(head -c 300 "$d.err")"
  elif [[ ! $kb =~ ^[0-9]+$ ]] || ((kb > kMemoryMb * 1024)); then
    fail "$name: $kb kB of memory"
  elif [[ -n $check ]] && ! (cd "$d" && eval "$check"); then
    fail "$name: afterwards, not: $check"
  else
    echo "ok   $name (status $status, $((kb / 1024)) MB)"
  fi
  rm -rf "$d"
}

readonly title="--ticks 30"
readonly stage="--input $work/enter.txt --ticks 300"
readonly boss="--start boss --ticks 60"
echo "3 tap:Enter" >"$work/enter.txt"
echo "3 tap:Z" >"$work/z.txt"
effects="MyBlast PowerUp Bom Tama3 EnemyBlast BossBlast"

case_ folders-as-sounds "for e in $effects; do rm Music/\$e.wav; mkdir Music/\$e.wav; done;
  rm Music/BossMusic.mp3; mkdir Music/BossMusic.mp3" "$boss" 0 ""
case_ huge-shot-sound 'big_wav Music/MyAttack.wav' "$stage" 1 "MyAttack.wav\": larger than 16 MiB"
case_ pipe-sheet 'rm Picture/Character.pic; mkfifo Picture/Character.pic' "$title" 1 \
  "Picture/Character.pic\": not a regular file"
case_ pipe-background 'rm Picture/5.pic; mkfifo Picture/5.pic' "$title" 1 "Picture/5.pic\": not"
case_ pipe-effect 'rm Music/Bom.wav; mkfifo Music/Bom.wav' "$title" 0 ""
case_ pipe-shot-sound 'rm Music/MyAttack.wav; mkfifo Music/MyAttack.wav' "$stage" 1 \
  "MyAttack.wav\": not a regular file"
case_ pipe-music 'rm Music/BackMusic.mp3; mkfifo Music/BackMusic.mp3' "$stage" 0 ""
case_ pipe-high-score 'rm HighScore.ini; mkfifo HighScore.ini' "$title" 0 "messagebox HighScore.ini"
case_ pipe-certificate 'mkfifo ★最高点の証★.txt; echo x > ●ノーミス・ノーボムの証●.txt' \
  "--input $work/z.txt --ticks 12 --trace $work/cert.jsonl" 0 "" \
  "tail -n 1 $work/cert.jsonl | grep -q '\"scene\":\"title\"'"
case_ zero-high-score 'rm HighScore.ini; ln -s /dev/zero HighScore.ini' "$title" 0 \
  "messagebox HighScore.ini"
case_ random-effect 'rm Music/EnemyBlast.wav; ln -s /dev/urandom Music/EnemyBlast.wav' "$title" 0 ""
case_ zero-shot-sound 'rm Music/MyAttack.wav; ln -s /dev/zero Music/MyAttack.wav' "$stage" 1 \
  "MyAttack.wav\": not a regular file"
case_ zero-music 'rm Music/BackMusic.mp3; ln -s /dev/zero Music/BackMusic.mp3' "$stage" 0 ""
case_ huge-background 'png Picture/1.pic 20000 20000 1' "$title" 1 \
  "the picture is 20000 x 20000, and it must be 420 x 560"
case_ huge-sheet-header 'png Picture/Character.pic 60000 60000 0' "$title" 1 \
  "the picture is 60000 x 60000, larger than 4096 x 4096"
case_ stale-replacements 'touch HighScore.ini.vormelda-new-a1B2c3 HighScore.ini.backup' \
  "$title" 0 "" '[ ! -e HighScore.ini.vormelda-new-a1B2c3 ] && [ -e HighScore.ini.backup ]'

# A sound cut right after a chunk's header: measured, never read past its end.
case_ cut-effect 'head -c 44 Music/Bom.wav > cut && mv cut Music/Bom.wav' "$title" 0 ""
case_ cut-shot-sound 'head -c 44 Music/MyAttack.wav > cut && mv cut Music/MyAttack.wav' "$stage" 0 ""
# Recordings: one cut short mid-line (its program killed) plays to its last whole line; absurd
# ones are refused naming the line.
readonly header="# vormelda-recording 2 seed=1 start=title high=00000 certificates=none"
rec=$work/recording.txt
case_ recording-cut-mid-line "$sim --data . --input $work/enter.txt --ticks 200 --record $rec &&
  printf '201 Le' >>$rec" "--verify $rec" 0 "" 'grep -q "3 checks passed" "$d.out"'
case_ recording-absurd-tick "printf '%s\n3 tap:Enter\n900000000000 X\n' '$header' >$rec" \
  "--verify $rec" 2 "line 3: a line starts with its tick, 1 to 100000000"
case_ recording-megabyte-line "{ echo '$header'; head -c 4000000 /dev/zero | tr '\\0' X; echo; } >$rec" \
  "--verify $rec" 2 "line 2: longer than 4096 characters"
# A linked high score file (in a synchronised folder, say): the file it names gets the score, and
# the link stays.
printf '3 tap:Enter\n200 X\n' >"$work/hold-fire.txt"
case_ linked-high-score 'mkdir synced && mv HighScore.ini synced/ && ln -s synced/HighScore.ini .' \
  "--input $work/hold-fire.txt --ticks 1100" 0 "" \
  '[ -L HighScore.ini ] && grep -q 00400 synced/HighScore.ini && [ "$(ls synced)" = HighScore.ini ]'

((failures == 0)) || { echo "$failures case(s) failed" >&2; exit 1; }
echo PASS
