#!/bin/sh
# The demo's backlog replay: the log opens over the last page, and after stepping back through the
# page history and out again the screen is the one from before, frame for frame.
set -eu
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# 63000 and 68280 lie 96 timer ticks apart: the click-wait marker shows the same frame.
"$build/bin/vespin-run" --game "$build/game" --input "$(dirname "$0")/../demo/replay_backlog.events" \
    --until 69000 --transcript "$tmp/t.txt" --shot 58500:"$tmp/log.png" \
    --shot 63000:"$tmp/before.png" --shot 65000:"$tmp/replay.png" --shot 68280:"$tmp/after.png"
grep -q 'いちばん新しいページの先まで進むと' "$tmp/t.txt"
cmp "$tmp/before.png" "$tmp/after.png"
! cmp -s "$tmp/log.png" "$tmp/before.png"
! cmp -s "$tmp/replay.png" "$tmp/before.png"
