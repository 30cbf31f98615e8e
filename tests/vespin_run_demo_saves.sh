#!/bin/sh
# The demo's save and load screens through vespin-run: a save from the toolbar lands in the game
# folder's save directory, a load from the toolbar brings the earlier variables back, and the
# return to the title reaches the title script.
set -eu
build=$1
run=$build/bin/vespin-run
events=$(dirname "$0")/../demo/replay_saves.events
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The saves go beside the archives: play a folder of links to them.
mkdir "$tmp/game"
for archive in "$build"/game/*.vsp; do ln -s "$(realpath "$archive")" "$tmp/game/"; done

"$run" --game "$tmp/game" --input "$events" --until 16000 --transcript "$tmp/t.txt" \
    --vars "$tmp/v.json" --shot 7200:"$tmp/load.png"
test "$(wc -c < "$tmp/game/save/save01.dat")" -eq 143378
test -s "$tmp/load.png"
# The second page set V001..V003 before the load took the game back to the first.
grep -q '島の灯台は6階建て' "$tmp/t.txt"
grep -q '"V":\[0,0,0,0,' "$tmp/v.json"
grep -q 'おかえりなさい' "$tmp/t.txt"
