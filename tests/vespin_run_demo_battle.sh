#!/bin/sh
# The demo's card battle played headlessly from demo/replay_battle.events: the battle ends with a
# result in S055, and a second run ends with the same result, hit points and frames.
set -eu
build=$1
run=$build/bin/vespin-run
events=$(dirname "$0")/../demo/replay_battle.events
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

play() {  # play NAME
    "$run" --game "$build/game" --input "$events" --until 95000 --vars "$tmp/$1.json" \
        --transcript "$tmp/$1.txt" --shot 29400:"$tmp/$1-turn1.png" --shot 31900:"$tmp/$1-scored.png"
}
play a
play b
cmp "$tmp/a.json" "$tmp/b.json"
cmp "$tmp/a-turn1.png" "$tmp/b-turn1.png"
cmp "$tmp/a-scored.png" "$tmp/b-scored.png"
result=$(sed 's/.*"S":\[\([-0-9,]*\)\].*/\1/' "$tmp/a.json" | cut -d, -f56)
test "$result" = 1 -o "$result" = 2
if [ "$result" = 1 ]; then grep -q '勝ちました' "$tmp/a.txt"; else grep -q '負けて' "$tmp/a.txt"; fi
echo ok
