#!/bin/sh
# Fuzzes each target for a while, one at a time with one worker, under the sanitizers of the fuzz
# build. Works on a scratch copy of each corpus under BUILD/corpus, so new inputs stay out of the
# repository unless someone copies them in on purpose; findings land in BUILD/findings/NAME/.
# Usage: scripts/fuzz-run.sh BUILD SECONDS TARGET...
set -u
build=$1 seconds=$2
shift 2
root=$(pwd)
summary=$build/fuzz-summary.txt
: > "$summary"
for name in "$@"; do
    binary=$build/bin/fuzz_$name
    [ -x "$binary" ] || { echo "fuzz: no target $name" >&2; exit 1; }
    corpus=$build/corpus/$name findings=$build/findings/$name log=$build/logs/$name.log
    mkdir -p "$corpus" "$findings" "$build/logs"
    cp -n fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null
    dict=
    [ -f fuzz/dict/"$name".dict ] && dict=-dict=fuzz/dict/$name.dict
    before=$(ls "$findings" | wc -l)
    echo "== $name: $seconds s" >&2
    # Crashes, leaks, timeouts and running out of memory are kept and counted, and the run goes
    # on: one find must not hide the next.
    ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 \
    LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$binary" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 -max_len=16384 $dict \
        -artifact_prefix="$findings/" "$corpus" > "$log" 2>&1
    last=$(grep -E '^#[0-9]+: cov: ' "$log" | tail -1)
    runs=$(echo "$last" | sed -n 's/^#\([0-9]*\):.*/\1/p')
    cov=$(echo "$last" | sed -n 's/.* cov: \([0-9]*\).*/\1/p')
    ft=$(echo "$last" | sed -n 's/.* ft: \([0-9]*\).*/\1/p')
    kinds=$(echo "$last" | sed -n 's/.*oom\/timeout\/crash: \([0-9/]*\).*/\1/p')
    found=$(( $(ls "$findings" | wc -l) - before ))
    printf '%-20s %5s s  %10s runs  cov %6s  ft %6s  findings %3s (oom/timeout/crash %s)\n' \
        "$name" "$seconds" "${runs:-?}" "${cov:-?}" "${ft:-?}" "$found" "${kinds:-?}" | tee -a "$summary"
done
echo "fuzz: summary in $summary, logs in $build/logs, findings in $build/findings" >&2
