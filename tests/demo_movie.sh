#!/bin/sh
# The demo's movie chapter under vespin-run: the movie made at build time plays for its four
# seconds while the engine waits, and a click ends it early.
set -eu
build=$1
here=$(dirname "$0")
run=$build/bin/vespin-run
tool=$build/bin/vespin-tool
movie=$build/game/movie/lighthouse.avi
if [ ! -f "$movie" ]; then
    echo "skipped: the demo was built without its movie (no gst-launch-1.0)"
    exit 0
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The demo's archives with a main script that goes straight to the chapter.
mkdir "$tmp/game" "$tmp/src"
cp "$build"/game/*.vsp "$tmp/game/"
mkdir "$tmp/game/movie"
cp "$movie" "$tmp/game/movie/"
printf '*call movie\n*exitgame\n' > "$tmp/src/main.txt"
"$tool" script encode "$tmp/src/main.txt" "$tmp/src/main"
"$tool" script encode "$here/../demo/scenario/movie.txt" "$tmp/src/movie"
"$tool" archive pack "$tmp/game/vg_data.vsp" --layout script "$tmp/src/main" "$tmp/src/movie"

# The first page's click at 1 s starts the movie.
printf '1000 click 400 300\n' > "$tmp/start.events"
"$run" --game "$tmp/game" --input "$tmp/start.events" --until 4500 --transcript "$tmp/a.txt"
if grep -q '映像が終わりました。' "$tmp/a.txt"; then
    echo "FAIL: the movie ended before its four seconds"
    exit 1
fi
"$run" --game "$tmp/game" --input "$tmp/start.events" --until 6500 --transcript "$tmp/b.txt"
grep -q '映像が終わりました。' "$tmp/b.txt"

printf '1000 click 400 300\n2000 click 400 300\n' > "$tmp/early.events"
"$run" --game "$tmp/game" --input "$tmp/early.events" --until 3000 --transcript "$tmp/c.txt"
grep -q '映像が終わりました。' "$tmp/c.txt"
echo "ok: the demo movie plays its length and a click ends it"
