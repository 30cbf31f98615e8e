#!/bin/sh
# vespin-tool anim: key frames (and a sound) packed into an entry, listed from the file and from
# an archive, and clear refusals of what is not an animation or not a JPEG.
set -eu
build=$1
tool=$build/bin/vespin-tool
here=$(dirname "$0")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
jpeg=$here/../fuzz/corpus/jpeg_picture/colour_40x30
wav=$here/../fuzz/corpus/wav_reader/mono_11k

# Three frames at t = 15 with a WAV sound (coded D on the way in).
"$tool" anim pack "$tmp/FILM" --period 15 --sound "$wav" "$jpeg" "$jpeg" "$jpeg"
"$tool" anim list "$tmp/FILM" > "$tmp/list"
grep -q '^events 3, frame time 15 ms (period 66666 us), size 40x30' "$tmp/list"
grep -q '(effect)$' "$tmp/list"
grep -qE '^ +2 key +0 +0 .* 133$' "$tmp/list"
test "$(od -An -c -j66 -N4 "$tmp/FILM" | tr -d ' ')" = WADY  # the sound follows the arrays

# The same entry inside an archive, by name in any case.
"$tool" archive pack "$tmp/vg_anim.vsp" --layout sized --name-width 16 "$tmp/FILM"
"$tool" anim list --archive "$tmp/vg_anim.vsp" --entry film > "$tmp/list2"
cmp "$tmp/list" "$tmp/list2"

# Refusals: a count the entry cannot hold, a frame that is not a JPEG, a bad period.
head -c 30 "$tmp/FILM" > "$tmp/short"
! "$tool" anim list "$tmp/short" 2>"$tmp/err"
grep -q 'event count cannot fit' "$tmp/err"
! "$tool" anim pack "$tmp/X" --period 33 "$wav" 2>"$tmp/err"
grep -q 'not a JPEG' "$tmp/err"
! "$tool" anim pack "$tmp/X" --period 0 "$jpeg" 2>"$tmp/err"
grep -q 'period' "$tmp/err"
