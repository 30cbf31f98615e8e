#!/bin/sh
# vespin-run through the demo's animation chapter: BEAM plays to its end (its last frame stays,
# S040 stays 0), GULL and SEA_Q play, the chapter returns to the menu, and the frames are the
# same on every run.
set -eu
build=$1
run=$build/bin/vespin-run
events=$(dirname "$0")/../demo/replay_anim.events
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for n in a b; do
    "$run" --game "$build/game" --input "$events" --until 41500 --transcript "$tmp/$n.txt" \
        --vars "$tmp/$n.json" --shot 26000:"$tmp/$n-beam.png" --shot 37000:"$tmp/$n-sea.png"
done
cmp "$tmp/a.txt" "$tmp/b.txt"
cmp "$tmp/a-beam.png" "$tmp/b-beam.png"
cmp "$tmp/a-sea.png" "$tmp/b-sea.png"
grep -q '光がひと回りしました。' "$tmp/a.txt"
! grep -q '途中で止めましたね。' "$tmp/a.txt"
grep -q 'カモメは行ってしまいました。' "$tmp/a.txt"
grep -q '速度優先と画質優' "$tmp/a.txt"
test "$(grep -c 'どれを見てみますか？' "$tmp/a.txt")" -eq 2

# A click while BEAM plays (e = 1) stops it: S040 = 1 and the script takes the other branch.
{ cat "$events"; echo "24900 click 790 580"; } | sort -n -s -k1,1 > "$tmp/stop.events"
"$run" --game "$build/game" --input "$tmp/stop.events" --until 27500 --transcript "$tmp/c.txt"
grep -q '途中で止めましたね。' "$tmp/c.txt"
! grep -q '光がひと回りしました。' "$tmp/c.txt"
