#!/usr/bin/env bash
# Smoke test of the real program on a virtual X display: start it, wait for its window,
# open two pictures through the Open dialog (Ctrl+O, type the path, Enter), check that the
# window took each page's size, then end it with File > Exit (Alt+F, X) and expect status 0.
# Usage: smoke_test.sh PATH/TO/pintabel
# Exits 77 (reported by ctest as skipped) when xvfb-run, xdotool or ImageMagick is missing.
set -euo pipefail

app=${1:?usage: smoke_test.sh PATH/TO/pintabel}
for tool in xvfb-run xdotool convert; do
    if ! command -v "$tool" >/dev/null; then
        echo "smoke: $tool is not installed; skipped"
        exit 77
    fi
done

# First pass: start a private X server and run the second pass inside it, with an overall
# deadline so that nothing can hang the test run.
if [ -z "${PINTABEL_SMOKE_DISPLAY:-}" ]; then
    export PINTABEL_SMOKE_DISPLAY=1
    exec timeout -k 5 100 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

work=$(mktemp -d)
pid=""
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        sleep 0.5
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "smoke: FAILED: $*"
    if [ -s "$work/app.log" ]; then
        echo "--- program output"
        cat "$work/app.log"
    fi
    exit 1
}

# wait_for SECONDS COMMAND...: retries COMMAND every 0.1 s until it succeeds or time runs out.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

find_main_window() {
    kill -0 "$pid" 2>/dev/null || fail "the program ended before showing its window"
    main=$(xdotool search --onlyvisible --name '^Pintabel$' 2>/dev/null | head -n 1)
    [ -n "$main" ]
}

# Any other visible window of the program: the Open dialog.
find_dialog() {
    dialog=""
    local w
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        if [ "$w" != "$main" ]; then
            dialog=$w
        fi
    done
    [ -n "$dialog" ]
}

no_dialog() { ! find_dialog; }

read_size() {
    local WIDTH HEIGHT X Y SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$main")"
    size="${WIDTH}x${HEIGHT}"
}

size_changed() {
    read_size
    [ "$size" != "$initial_size" ]
}

exited() { ! kill -0 "$pid" 2>/dev/null; }

# A 600 x 400 picture: sky over a green field.
picture="$work/field.png"
convert -size 600x400 xc:'#88c0f0' -fill '#40a040' -draw 'rectangle 0,250 599,399' "$picture"

QT_QPA_PLATFORM=xcb "$app" >"$work/app.log" 2>&1 &
pid=$!

# Generous: a sanitizer build on a busy machine can take long to start.
wait_for 40 find_main_window || fail "no visible window titled \"Pintabel\" within 40 s"
read_size
initial_size=$size
echo "smoke: window $main is up, $initial_size"

# open_picture PATH: Ctrl+O, the path typed into the dialog, Enter.
open_picture() {
    xdotool windowfocus --sync "$main"
    xdotool key --clearmodifiers ctrl+o
    wait_for 10 find_dialog || fail "Ctrl+O showed no dialog"
    xdotool windowfocus --sync "$dialog"
    sleep 0.5
    xdotool type --delay 10 "$1"
    xdotool key Return
    # The file name's completer may take the first Enter for itself.
    if ! wait_for 2 no_dialog; then
        xdotool key Return
        wait_for 5 no_dialog || fail "the Open dialog did not accept $1"
    fi
}

open_picture "$picture"
wait_for 10 size_changed || fail "the window kept its size $initial_size after opening $picture"
echo "smoke: $picture opened, window now $size"

# A second page, 600 x 300, at the same standard width of 300: the window keeps its width
# and its page area loses 300*400/600 - 300*300/600 = 50 pixels of height.
first_size=$size
convert -size 600x300 xc:'#f0c080' "$work/wide.png"
first_width=${first_size%x*}
first_height=${first_size#*x}
expected="${first_width}x$((first_height - 50))"
open_picture "$work/wide.png"
initial_size=$first_size
wait_for 10 size_changed || fail "the window kept its size $first_size after opening a second page"
sleep 0.3
read_size
[ "$size" = "$expected" ] || fail "after the 600x300 page the window is $size, expected $expected"
echo "smoke: second page opened, window now $size"

xdotool windowfocus --sync "$main"
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key x
wait_for 5 exited || fail "the program was still running 5 s after File > Exit"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "smoke: ended by File > Exit with status 0"
