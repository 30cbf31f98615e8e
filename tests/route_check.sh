#!/bin/sh
# vespin-tool check over a game with one fault of each kind: exactly those reports, at their
# lines; then the demo game, which must check clean, and the graph of its routes.
set -eu
build=$1
tool=$build/bin/vespin-tool
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cat > "$tmp/main.txt" <<SCRIPT
; one fault of each kind, and lines that are sound
*go nowhere
*call sub:there
*call sub:nowhere
*chain gone
*gra A0404 1
*voice V404
*music 7
!V001=3#
*frobnicate
*mark 90000
*string 1 sub
*string 25 X
声[voice V405]です
*cjmp V001
{
a
}
*call \$1
*if (V001=1) far
*if (V00X=1) *end
:orphan
*clickmap nomap
{
SCRIPT
printf ':there\n*end\n' > "$tmp/sub.txt"
for s in main sub; do "$tool" script encode "$tmp/$s.txt" "$tmp/$s"; done
# The encoder refuses a line longer than the engine reads; other tools may not. Stored bytes
# are the negated script bytes.
perl -e 'print chr(256 - ord("0")) x 2100, "\0"' >> "$tmp/main"
(cd "$tmp" && "$tool" archive pack vg_data.vsp --layout script main sub)

if "$tool" check "$tmp" > "$tmp/out.txt"; then echo "errors gave exit code 0"; exit 1; fi
grep -v '^    ' "$tmp/out.txt" > "$tmp/got.txt"
cat > "$tmp/want.txt" <<'WANT'
MAIN:2: warning: label "nowhere" is only found inside line 4; the jump lands after that line
MAIN:4: error: label "nowhere" is not in SUB
MAIN:5: error: script "gone" is in neither vg_data2.vsp nor vg_data.vsp
MAIN:6: error: picture "A0404" is in no picture archive
MAIN:7: error: sound "V404" is in no voice or effect archive
MAIN:8: error: music track 7 is not in vg_bgm.vsp
MAIN:9: error: "V001=3#" does not parse: an invalid character makes it 0
MAIN:10: error: unknown command
MAIN:11: error: read mark 90000 is outside 0..80000
MAIN:13: error: string slot 25 is outside 0..19
MAIN:14: error: sound "V405" is in no voice or effect archive
MAIN:15: not checked: computed jump into one of 1 bodies by "V001"
MAIN:19: not checked: computed call through string slot 1; the scripts set it to: sub
MAIN:20: error: label "far" is not in MAIN
MAIN:21: error: "(V00X=1)" does not parse: '00X' is not a valid integer value.
MAIN:22: warning: label "orphan" is never jumped to
MAIN:23: error: clickmap data script "map" is in neither vg_data2.vsp nor vg_data.vsp
MAIN:24: error: block without a "}" line after it
MAIN:25: error: line of 2100 bytes; the engine reads at most 2047
2 scripts: 15 errors, 2 warnings, 2 not checked
WANT
diff "$tmp/want.txt" "$tmp/got.txt"
grep -q '^    \*go nowhere$' "$tmp/out.txt"
"$tool" check --json "$tmp" > "$tmp/out.json" || true
grep -q '"level":"error","script":"MAIN","line":4,' "$tmp/out.json"

# The demo checks clean, and its graph has the menu's choices as labelled edges.
"$tool" check "$build/game" > "$tmp/demo.txt" || { cat "$tmp/demo.txt"; exit 1; }
tail -1 "$tmp/demo.txt" | grep -q ' 0 errors, 0 warnings,' || { cat "$tmp/demo.txt"; exit 1; }
"$tool" check --graph "$build/game" > "$tmp/routes.dot"
grep -q '^digraph routes {' "$tmp/routes.dot"
grep -q '"MAIN:menu" -> "TEXT" \[label="call: 文字と窓"' "$tmp/routes.dot"
echo ok
