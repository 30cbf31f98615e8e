#!/bin/sh
# The demo's picture chapter played headlessly: the frames show the scenes (compared with the
# pictures in the demo's own archives), and two runs give the same frames byte for byte.
set -eu
build=$1
run=$build/bin/vespin-run
tool=$build/bin/vespin-tool
game=$build/game
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The demo's archives with a main script that goes straight to the chapter.
mkdir -p "$tmp/game" "$tmp/scripts"
cp "$game"/*.vsp "$tmp/game/"
"$tool" archive extract "$game/vg_data.vsp" -o "$tmp/scripts" PICTURES
printf '*call pictures\n' > "$tmp/main.txt"
"$tool" script encode "$tmp/main.txt" "$tmp/scripts/main"
"$tool" archive pack "$tmp/game/vg_data.vsp" --layout script "$tmp/scripts/main" \
    "$tmp/scripts/PICTURES"

# A reader who clicks every six seconds, long enough for a scene's transitions and its text to
# finish; frame N is taken just before click N + 1, while the chapter waits at its (N + 1)th wait.
: > "$tmp/events"
i=1
while [ $i -le 17 ]; do
    echo "$((i * 6000)) click 790 580" >> "$tmp/events"
    i=$((i + 1))
done
frames="0 1 2 4 11 12 13 14 16"
shots() {  # shots DIR: DIR/N.png for each frame, DIR.txt the transcript
    dir=$1
    mkdir -p "$dir"
    set --
    for n in $frames; do
        set -- "$@" --shot "$((n * 6000 + 5900)):$dir/$n.png"
    done
    "$run" --game "$tmp/game" --input "$tmp/events" --until 110000 --transcript "$dir.txt" "$@"
}
shots "$tmp/a"
shots "$tmp/b"
for n in $frames; do
    cmp "$tmp/a/$n.png" "$tmp/b/$n.png"
done
grep -q 'そして、夜になった。' "$tmp/a.txt"

# Raw rows of a frame (through the packed format) and of a background entry.
raw_frame() {  # raw_frame N -> $tmp/N.bgr
    "$tool" picture encode "$tmp/a/$1.png" "$tmp/$1.pk"
    "$tool" picture decode "$tmp/$1.pk" "$tmp/$1.bgr"
}
raw_entry() {  # raw_entry ARCHIVE NAME -> $tmp/NAME.bgr
    "$tool" picture decode --archive "$game/$1" --entry "$2" "$tmp/$2.bgr"
}
rows() {  # rows FILE FIRST COUNT: the bytes of COUNT rows of 800 pixels from row FIRST
    dd if="$1" bs=2400 skip="$2" count="$3" status=none
}
same_rows() {  # same_rows A B FIRST COUNT
    rows "$1" "$3" "$4" > "$tmp/x"
    rows "$2" "$3" "$4" > "$tmp/y"
    cmp -s "$tmp/x" "$tmp/y"
}
expect_same() {
    if ! same_rows "$@"; then echo "rows $3 to $(($3 + $4 - 1)) of $1 and $2 differ" >&2; exit 1; fi
}
expect_different() {
    if same_rows "$@"; then echo "rows $3 to $(($3 + $4 - 1)) of $1 and $2 agree" >&2; exit 1; fi
}
for n in $frames; do raw_frame $n; done
raw_entry vg_gjp.vsp A0101
raw_entry vg_gjp.vsp A0102
raw_entry vg_gra3.vsp A0301
raw_entry vg_gra.vsp A0401
test "$(wc -c < "$tmp/A0101.bgr")" -eq 1440000

# The morning lighthouse, first in sepia, then in its own colours above the message window.
expect_different "$tmp/0.bgr" "$tmp/A0101.bgr" 0 400
expect_same "$tmp/1.bgr" "$tmp/A0101.bgr" 0 400
# The guide and the keeper stand in front of it (below their hats), then the guide alone.
expect_same "$tmp/2.bgr" "$tmp/A0101.bgr" 0 30
expect_different "$tmp/2.bgr" "$tmp/A0101.bgr" 100 300
expect_different "$tmp/2.bgr" "$tmp/4.bgr" 100 300
# The keeper's room upside down, then back to normal.
expect_different "$tmp/11.bgr" "$tmp/12.bgr" 0 400
# The forest with the girl in the centre (her hair starts at row 140).
expect_same "$tmp/13.bgr" "$tmp/A0301.bgr" 0 130
expect_different "$tmp/13.bgr" "$tmp/A0301.bgr" 140 260
# The beach with parts drawn on it and kept: the sky above them is the background's.
expect_same "$tmp/14.bgr" "$tmp/A0401.bgr" 0 40
expect_different "$tmp/14.bgr" "$tmp/A0401.bgr" 40 360
# Night falls: the lighthouse lit.
expect_same "$tmp/16.bgr" "$tmp/A0102.bgr" 0 400
echo ok
