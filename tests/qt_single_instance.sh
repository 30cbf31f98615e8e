#!/bin/sh
# The game runs once per user: a second copy started while the first runs ends at once with exit
# code 1 and shows nothing, and a first copy that was killed does not lock the game out.
# Usage: sh qt_single_instance.sh BUILD_DIR (ctest sets QT_QPA_PLATFORM=offscreen).
set -u
build=$1
game="$build/game/vespin"
if [ ! -x "$game" ]; then
    if grep -q '^VESPIN_BUILD_QT:BOOL=OFF' "$build/CMakeCache.txt" 2>/dev/null; then
        echo "skipped: this build has no Qt front end"
        exit 0
    fi
    echo "FAIL: $game was not built"
    exit 1
fi

work=$(mktemp -d)
first=""
cleanup() {
    [ -n "$first" ] && kill -9 "$first" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
mkdir "$work/game" "$work/tmp" "$work/config" "$work/run"
chmod 700 "$work/run"
cp "$game" "$work/game/vespin"
# An archive with no entries: the game starts, finds no script and waits.
printf '\000\000\000\000' > "$work/game/vg_data.vsp"
# The lock lives in the temporary folder and the settings in the configuration folder: keep
# both inside the test, away from a game the developer may be running.
export TMPDIR="$work/tmp" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

start_first() {
    "$work/game/vespin" >"$work/first.log" 2>&1 &
    first=$!
    i=0
    while ! ls "$work/tmp"/VESPIN_ENGINE*.lock >/dev/null 2>&1; do
        i=$((i + 1))
        if [ $i -gt 100 ] || ! kill -0 "$first" 2>/dev/null; then
            echo "FAIL: the first copy did not take the lock"
            cat "$work/first.log"
            exit 1
        fi
        sleep 0.1
    done
}

start_first
timeout 10 "$work/game/vespin" >"$work/second.log" 2>&1
code=$?
if [ $code -ne 1 ]; then
    echo "FAIL: the second copy ended with $code, expected 1"
    cat "$work/second.log"
    exit 1
fi
if ! kill -0 "$first" 2>/dev/null; then
    echo "FAIL: the first copy stopped when the second started"
    exit 1
fi

# A crashed first copy leaves its lock file behind; its owner is gone, so the next start runs.
kill -9 "$first"
wait "$first" 2>/dev/null
first=""
start_first
sleep 1
if ! kill -0 "$first" 2>/dev/null; then
    echo "FAIL: a copy started after a crash did not keep running"
    cat "$work/first.log"
    exit 1
fi
echo "ok: one copy per user, and a crashed copy does not lock the game out"
