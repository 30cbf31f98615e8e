#!/bin/sh
# The demo's simulation chapter played headlessly: the selection tree takes its clicks, each
# activity unlocks the next entries, and the chapter ends from the tree.
set -eu
build=$1
run=$build/bin/vespin-run
tool=$build/bin/vespin-tool
game=$build/game
events=$(dirname "$0")/../demo/replay_sim.events
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The demo's archives with a main script that goes straight to the chapter.
mkdir -p "$tmp/game" "$tmp/scripts"
cp "$game"/*.vsp "$tmp/game/"
"$tool" archive extract "$game/vg_data.vsp" -o "$tmp/scripts" SIM SELTREE
printf '*call sim\n' > "$tmp/main.txt"
"$tool" script encode "$tmp/main.txt" "$tmp/scripts/main"
"$tool" archive pack "$tmp/game/vg_data.vsp" --layout script "$tmp/scripts/main" \
    "$tmp/scripts/SIM" "$tmp/scripts/SELTREE"

"$run" --game "$tmp/game" --input "$events" --until 32000 --transcript "$tmp/t.txt" \
    --shot 6800:"$tmp/tree.png"
test -s "$tmp/tree.png"
grep -q '灯台の本を読んだ。' "$tmp/t.txt"
grep -q 'ゆっくり休んだ。' "$tmp/t.txt"
grep -q '港町で貝殻を拾った。' "$tmp/t.txt"
grep -q '第2週。' "$tmp/t.txt"
grep -q '体力は最大を超えても' "$tmp/t.txt"
echo "ok: the simulation chapter's tree unlocks and takes its entries"
