#!/bin/sh
# vespin-tool picture: PNG to packed and back byte for byte, entries read from archives, the
# stages switched off on request, and clear refusals.
set -eu
build=$1
tool=$build/bin/vespin-tool
here=$(dirname "$0")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# A JPEG entry (40 x 30) decoded to PNG and to raw rows, then packed and decoded again.
"$tool" picture decode "$here/../fuzz/corpus/jpeg_picture/colour_40x30" "$tmp/colour.png"
"$tool" picture decode "$here/../fuzz/corpus/jpeg_picture/colour_40x30" "$tmp/colour.bgr"
test "$(wc -c < "$tmp/colour.bgr")" -eq 3600
"$tool" picture encode "$tmp/colour.png" "$tmp/A01"
"$tool" picture decode "$tmp/A01" "$tmp/packed.bgr"
cmp "$tmp/colour.bgr" "$tmp/packed.bgr"
"$tool" picture decode "$tmp/A01" "$tmp/packed.png"
"$tool" picture encode "$tmp/packed.png" "$tmp/again"
cmp "$tmp/A01" "$tmp/again"

# Without the optional stages the flags byte (offset 2) is 0, and the picture is the same.
"$tool" picture encode "$tmp/colour.png" "$tmp/plain" --no-rle --no-delta
test "$(od -An -tu1 -j2 -N1 "$tmp/plain" | tr -d ' ')" -eq 0
"$tool" picture decode "$tmp/plain" "$tmp/plain.bgr"
cmp "$tmp/colour.bgr" "$tmp/plain.bgr"
"$tool" picture encode "$tmp/colour.png" "$tmp/no_delta" --no-delta
test "$(od -An -tu1 -j2 -N1 "$tmp/no_delta" | tr -d ' ')" -lt 128

# From an archive, by entry name in any case: packed and JPEG entries.
cp "$here/../fuzz/corpus/jpeg_picture/colour_40x30" "$tmp/B01"
"$tool" archive pack "$tmp/vg_gra.vsp" --layout sized --name-width 16 "$tmp/A01" "$tmp/B01"
"$tool" picture decode --archive "$tmp/vg_gra.vsp" --entry a01 "$tmp/entry.bgr"
cmp "$tmp/colour.bgr" "$tmp/entry.bgr"
"$tool" picture decode --archive "$tmp/vg_gra.vsp" --entry B01 "$tmp/jpeg.bgr"
cmp "$tmp/colour.bgr" "$tmp/jpeg.bgr"

# A palette picture is expanded (and said so); a translucent one is refused.
"$tool" picture encode "$here/data/png/palette_3x1.png" "$tmp/pal" 2>"$tmp/err"
grep -q 'palette expanded' "$tmp/err"
"$tool" picture decode "$tmp/pal" "$tmp/pal.bgr"
printf '\000\000\377\000\377\000\377\000\000' > "$tmp/pal.expected"
cmp "$tmp/pal.expected" "$tmp/pal.bgr"
if "$tool" picture encode "$here/data/png/translucent_corner.png" "$tmp/x" 2>"$tmp/err"; then exit 1; fi
grep -q 'translucent_corner.png: the picture has transparent pixels' "$tmp/err"
test ! -e "$tmp/x"

# Clear failures.
if "$tool" picture decode --archive "$tmp/vg_gra.vsp" --entry NOSUCH "$tmp/x.png" 2>"$tmp/err"; then
    exit 1
fi
grep -q 'no entry named NOSUCH' "$tmp/err"
if "$tool" picture decode "$tmp/A01" "$tmp/x.bmp" 2>"$tmp/err"; then exit 1; fi
grep -q 'must end in .png or .bgr' "$tmp/err"
head -c 20 "$tmp/A01" > "$tmp/cut"
if "$tool" picture decode "$tmp/cut" "$tmp/x.png" 2>"$tmp/err"; then exit 1; fi
grep -q 'cut: the picture data is cut short' "$tmp/err"
if "$tool" picture encode "$tmp/A01" "$tmp/x" 2>"$tmp/err"; then exit 1; fi
grep -q 'not a PNG file' "$tmp/err"
if "$tool" picture 2>/dev/null; then exit 1; fi
echo ok
