#!/bin/sh
# The demo's graphics viewer through vespin-run: the gallery counts the pictures the story showed,
# the scene list replays a scene and comes back when it ends, the music room plays a track,
# and EXIT leaves with S000 = 1.
set -eu
build=$1
run=$build/bin/vespin-run
events=$(dirname "$0")/../demo/replay_viewer.events
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

mkdir "$tmp/game"
for archive in "$build"/game/*.vsp; do ln -s "$(realpath "$archive")" "$tmp/game/"; done
field() { sed 's/.*"S":\[//' "$1" | cut -d, -f"$2"; }

# In the music room: MainMode 6 is not in the variables, but S000 = 2 (no saving) and the track.
"$run" --game "$tmp/game" --input "$events" --until 44000 --vars "$tmp/room.json"
test "$(field "$tmp/room.json" 1)" -eq 2
test "$(field "$tmp/room.json" 4)" -eq 1
# S088: the gallery's five names.
test "$(field "$tmp/room.json" 89)" -eq 5

rm -rf "$tmp/game/save"
"$run" --game "$tmp/game" --input "$events" --until 47000 --transcript "$tmp/t.txt" \
    --vars "$tmp/v.json" --shot 26500:"$tmp/gallery.png" --shot 41000:"$tmp/scenes.png"
test -s "$tmp/gallery.png"
test -s "$tmp/scenes.png"
# The replayed greeting, once in the story and once from the scene list, then the menu again.
test "$(grep -c '^やあ、' "$tmp/t.txt")" -eq 2
tail -3 "$tmp/t.txt" | grep -q '^どれを見ますか？'
test "$(field "$tmp/v.json" 1)" -eq 1
test "$(field "$tmp/v.json" 4)" -eq 0
