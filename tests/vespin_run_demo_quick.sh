#!/bin/sh
# The demo's quick buttons through vespin-run: the quick save lands in slot 99, the quick load
# goes back to it after its question, and skipping over the second pass stops at the first page
# not read before. Read aloud, the pages go to the transcript, except the one with its own voice.
set -eu
build=$1
run=$build/bin/vespin-run
events=$(dirname "$0")/../demo/replay_quick.events
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

mkdir "$tmp/game"
for archive in "$build"/game/*.vsp; do ln -s "$(realpath "$archive")" "$tmp/game/"; done

"$run" --game "$tmp/game" --input "$events" --until 63500 --transcript "$tmp/t.txt" \
    --vars "$tmp/v.json" --setting SelfVoicing=1
test "$(wc -c < "$tmp/game/save/save99.dat")" -eq 143378
# The first page twice before the load (the load skips nothing), then three read pages skipped
# with the page of the unread mark the last one reached: skipping is off and its button too.
test "$(grep -c '^窓の右にある七つの絵' "$tmp/t.txt")" -eq 2
test "$(grep -c '^スピーカーの絵のボタン' "$tmp/t.txt")" -eq 3
tail -4 "$tmp/t.txt" | grep -q '^ここは、まだ読んでいない文章。'
grep -q '"S":\[0,' "$tmp/v.json"
sed 's/.*"S":\[//' "$tmp/v.json" | cut -d, -f61 | grep -qx 0
grep -q '^\[speech\] 案内人　ここは、まだ読んでいない文章。' "$tmp/t.txt"
! grep -q '^\[speech\] 案内人　スピーカーの絵' "$tmp/t.txt"
