#!/bin/sh
# vespin-tool sound: WAV -> each coding -> WAV keeps the format and length; clear failures.
set -eu
build=$1
tool=$build/bin/vespin-tool
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The demo's sound generator makes the WAV inputs; without the demo there is nothing to encode.
if [ ! -x "$build/bin/vespin-demo-sounds" ]; then echo "skipped: no demo generator"; exit 0; fi
"$build/bin/vespin-demo-sounds" "$tmp/wav"
for coding in R D M; do
    "$tool" sound encode "$tmp/wav/SE_RAIN.wav" "$tmp/rain.$coding" --coding $coding
    test "$(head -c 4 "$tmp/rain.$coding")" = WADY
    "$tool" sound decode "$tmp/rain.$coding" "$tmp/rain.$coding.wav" --coding $coding
    # Same header (format and data size), so the same file size.
    test "$(wc -c < "$tmp/rain.$coding.wav")" -eq "$(wc -c < "$tmp/wav/SE_RAIN.wav")"
    cmp -n 44 "$tmp/rain.$coding.wav" "$tmp/wav/SE_RAIN.wav"
done
"$tool" sound encode "$tmp/wav/M02.wav" "$tmp/M02" --coding M --loop 70560

if "$tool" sound encode "$tmp/wav/SE_RAIN.wav" "$tmp/x" --coding Q 2>"$tmp/err"; then exit 1; fi
grep -q "unknown coding 'Q'" "$tmp/err"
if "$tool" sound encode "$tmp/wav/SE_RAIN.wav" "$tmp/x" --coding R --loop 5 2>"$tmp/err"; then exit 1; fi
grep -q 'loop is for coding M' "$tmp/err"
if "$tool" sound encode "$tmp/wav/M02.wav" "$tmp/x" --coding M --loop 99999999 2>"$tmp/err"; then exit 1; fi
grep -q 'past the end' "$tmp/err"
if "$tool" sound decode "$tmp/wav/SE_RAIN.wav" "$tmp/x.wav" --coding R 2>"$tmp/err"; then exit 1; fi
grep -q 'not a WADY entry' "$tmp/err"
if "$tool" sound encode "$tmp/rain.R" "$tmp/x" --coding R 2>"$tmp/err"; then exit 1; fi
grep -q 'not a RIFF WAVE file' "$tmp/err"
echo ok
