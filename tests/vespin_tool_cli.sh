#!/bin/sh
# vespin-tool from the command line: round trips and non-zero exits with clear messages.
set -eu
build=$1
tool=$build/bin/vespin-tool
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

printf '>名前\nこんにちは\n\\\n' > "$tmp/main.txt"
"$tool" script encode "$tmp/main.txt" "$tmp/main"
"$tool" archive pack "$tmp/vg_data.vsp" --layout script "$tmp/main"
"$tool" archive list "$tmp/vg_data.vsp" | grep -q '^MAIN'
"$tool" archive extract "$tmp/vg_data.vsp" -o "$tmp/out" MAIN
cmp "$tmp/main" "$tmp/out/MAIN"
"$tool" script decode "$tmp/out/MAIN" "$tmp/back.txt"
cmp "$tmp/main.txt" "$tmp/back.txt"

printf 'ok\n\360\237\230\200\n' > "$tmp/bad.txt"
if "$tool" script encode "$tmp/bad.txt" "$tmp/bad" 2>"$tmp/err"; then exit 1; fi
grep -q 'bad.txt: line 2' "$tmp/err"
if "$tool" archive list "$tmp/missing.vsp" 2>"$tmp/err"; then exit 1; fi
grep -q 'no archive' "$tmp/err"
if "$tool" archive extract "$tmp/vg_data.vsp" -o "$tmp/out" NOSUCH 2>"$tmp/err"; then exit 1; fi
grep -q 'no entry named NOSUCH' "$tmp/err"
if "$tool" frobnicate 2>/dev/null; then exit 1; fi

# A forgotten option value is refused: the next option must not become a file name.
cd "$tmp"
for words in "sound encode in.wav --coding --loop out" "sound decode IN out.wav --coding" \
             "archive pack out.vsp --layout --name-width 8 x" "picture decode --archive --entry E o.png" \
             "picture encode --bogus.png OUT" "script encode --main.txt out"; do
    # shellcheck disable=SC2086
    if "$tool" $words 2>"$tmp/err"; then echo "accepted: $words"; exit 1; fi
    grep -q 'needs a value\|unknown option' "$tmp/err" || { cat "$tmp/err"; exit 1; }
done
[ -z "$(find "$tmp" -maxdepth 1 -name '-*')" ] || { echo "an option became a file"; exit 1; }
echo ok
