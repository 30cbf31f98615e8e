#!/bin/sh
# The demo's recollection screen through vespin-run: a slot of the two scenes the story reached,
# composed with the add button and the cell menu's 登録 and named, plays both scenes and comes
# back on the page it was started from; one scene left with 回想モード終了; the return button goes
# back to the script; closing writes the slot and its name to kaiso.dat.
set -eu
build=$1
run=$build/bin/vespin-run
events=$(dirname "$0")/../demo/replay_recollection.events
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

mkdir "$tmp/game"
for archive in "$build"/game/*.vsp; do ln -s "$(realpath "$archive")" "$tmp/game/"; done

"$run" --game "$tmp/game" --input "$events" --until 58000 --transcript "$tmp/t.txt" \
    --shot 32000:"$tmp/page2.png" --shot 47500:"$tmp/back.png" --shot 56000:"$tmp/left.png"
grep -q '^\[names 夜の灯台 -> ok\]' "$tmp/t.txt"
# The keeper: in the story, first in the slot, then alone (left on its first page).
test "$(grep -c '^やあ、' "$tmp/t.txt")" -eq 3
test "$(grep -c '^気をつけて帰るんだよ。' "$tmp/t.txt")" -eq 2
# The second chapter once in the story and once after the keeper in the slot.
test "$(grep -c '^第二章はここまで。' "$tmp/t.txt")" -eq 2
# Back on the second page, exactly as it was drawn before the slot played.
cmp -s "$tmp/page2.png" "$tmp/back.png"
# After the return button the extras menu asks again.
tail -3 "$tmp/t.txt" | grep -q '^どれを見ますか？'
! cmp -s "$tmp/back.png" "$tmp/left.png"
# kaiso.dat: slot 1 holds catalogue lines 2 and 3, then its name.
test "$(wc -c < "$tmp/game/kaiso.dat")" -eq 2640
test "$(od -A n -t d4 -N 12 "$tmp/game/kaiso.dat" | tr -s ' ')" = " 2 3 0"
test "$(dd if="$tmp/game/kaiso.dat" bs=1 skip=2000 count=8 2>/dev/null | iconv -f CP932 -t UTF-8)" = "夜の灯台"
