#!/bin/sh
# vespin-run on the demo game: deterministic transcripts, the expected branches, clear failures.
set -eu
build=$1
run=$build/bin/vespin-run
game=$build/game
events=$(dirname "$0")/../demo/replay.events
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$run" --game "$game" --input "$events" --until 60000 --transcript "$tmp/a.txt" --vars "$tmp/a.json" \
    --shot 1000:"$tmp/a.png" --wav "$tmp/a.wav"
"$run" --game "$game" --input "$events" --until 60000 --transcript "$tmp/b.txt" --vars "$tmp/b.json" \
    --wav "$tmp/b.wav"
cmp "$tmp/a.txt" "$tmp/b.txt"
cmp "$tmp/a.json" "$tmp/b.json"
test -s "$tmp/a.png"
# The mixed sound of the run: a WAV file, the same on every run.
cmp "$tmp/a.wav" "$tmp/b.wav"
test "$(head -c 4 "$tmp/a.wav")" = RIFF
test "$(wc -c < "$tmp/a.wav")" -gt 1000000

# The branches the demo takes: the condition held, the call came back, chapter two was reached,
# the choices were taken (select, both sel2, the clickmap), the nested switch picked its line,
# and the menu's last entry closed the game.
grep -q '灯台の扉は赤く塗られている。' "$tmp/a.txt"
grep -q '灯台守との話が終わり' "$tmp/a.txt"
grep -q '灯台守の言葉を思い出した。' "$tmp/a.txt"
! grep -q '秋の話はまた今度。' "$tmp/a.txt"
grep -q '右の道を選んだ。' "$tmp/a.txt"
grep -q '秘密の部屋に入った。' "$tmp/a.txt"
grep -q '灯台へ向かった。' "$tmp/a.txt"
grep -q '右の道から灯台へ。' "$tmp/a.txt"
grep -q 'ゲームを終了しますか？ -> ok' "$tmp/a.txt"
grep -q '"G":\[1,' "$tmp/a.json"

# Without input the demo stops at its first wait.
"$run" --game "$game" --until 20000 --transcript "$tmp/c.txt"
grep -q '波の音が遠くで聞こえる。' "$tmp/c.txt"
test "$(grep -c 'wait' "$tmp/c.txt")" -eq 1

# Clear failures.
if "$run" --game "$tmp/nowhere" --until 10 2>"$tmp/err"; then exit 1; fi
grep -q 'no game folder' "$tmp/err"
printf '100 dance\n' > "$tmp/bad.events"
if "$run" --game "$game" --input "$tmp/bad.events" 2>"$tmp/err"; then exit 1; fi
grep -q 'line 1' "$tmp/err"
# A forgotten option value is refused with the usage, and creates no file named like an option.
(cd "$tmp" && if "$run" --game "$game" --shot --foo.txt 2>"$tmp/err"; then exit 1; fi)
grep -q 'needs a value' "$tmp/err" && grep -q 'usage' "$tmp/err"
test ! -e "$tmp/--foo.txt"
echo ok
