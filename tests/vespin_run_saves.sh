#!/bin/sh
# Saves through the programs: a save taken by an event script, its dump agreeing with --vars at
# that moment, the same game loaded again from the command line, the list of saves, and files
# that are refused.
set -eu
build=$1
run=$build/bin/vespin-run
tool=$build/bin/vespin-tool
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# A game folder of our own (the saves go beside the archives), with the demo's archives in it.
game=$tmp/game
mkdir "$game"
for archive in "$build"/game/*.vsp; do ln -s "$(cd "$(dirname "$archive")" && pwd)/$(basename "$archive")" "$game/"; done

# The story's first pages, then a save while the game waits; nothing moves afterwards, so the
# variables at exit are the variables at the save.
events=$(dirname "$0")/../demo/replay.events
grep -v '^#' "$events" | head -7 > "$tmp/save.events"
echo '7000 save 2' >> "$tmp/save.events"
"$run" --game "$game" --input "$tmp/save.events" --until 10000 --vars "$tmp/vars.json"
test "$(wc -c < "$game/save/save02.dat")" -eq 143378
"$tool" save dump "$game/save/save02.dat" > "$tmp/dump.json"

bank() {  # the array of bank $1 in the JSON file $2, one entry a line
    sed "s/.*\"$1\":\[\([^]]*\)\].*/\1/" "$2" | tr ',' '\n'
}
for b in F V T; do
    bank $b "$tmp/vars.json" > "$tmp/a"
    bank $b "$tmp/dump.json" > "$tmp/b"
    cmp "$tmp/a" "$tmp/b"
done
bank S "$tmp/vars.json" | head -200 > "$tmp/a"
bank S "$tmp/dump.json" > "$tmp/b"
cmp "$tmp/a" "$tmp/b"
test "$(bank V "$tmp/dump.json" | sed -n 3p)" -eq 6  # the story's V002
grep -q '"current_script":"main"' "$tmp/dump.json"
grep -q '"caption":"1970/01/01 ' "$tmp/dump.json"
"$tool" save dump "$game/save0.dat" | grep -q '"read_marks_set":\['

# Loaded again at start-up: the same variables, and the story goes on from the saved page.
printf '3000 click 790 580\n' > "$tmp/on.events"
"$run" --game "$game" --load 2 --input "$tmp/on.events" --until 6000 --vars "$tmp/loaded.json" \
    --transcript "$tmp/loaded.txt"
bank V "$tmp/vars.json" > "$tmp/a"
bank V "$tmp/loaded.json" > "$tmp/b"
cmp "$tmp/a" "$tmp/b"
grep -q '茜色の雲が流れている。' "$tmp/loaded.txt"

"$tool" save list "$game" > "$tmp/list.txt"
grep -q '^02	1970/01/01 ' "$tmp/list.txt"

# A slot file of 100 bytes: refused, left as it is, and the game starts as usual.
head -c 100 /dev/zero > "$game/save/save03.dat"
"$run" --game "$game" --load 3 --until 20000 --transcript "$tmp/refused.txt"
grep -q '波の音が遠くで聞こえる。' "$tmp/refused.txt"
test "$(wc -c < "$game/save/save03.dat")" -eq 100
if "$tool" save dump "$game/save/save03.dat" 2>"$tmp/err"; then exit 1; fi
grep -q 'neither a slot file' "$tmp/err"
"$tool" save list "$game" | grep -q '^03	(not a save: 100 bytes)'
echo ok
