#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
# Smoke test of the real program on a virtual X display, first bare, then under a window
# manager (openbox).
# Bare: start it, check its start-up size, open two pictures through the Open dialog (Ctrl+O,
# type the path, Enter), check that the window took each page's size, end it with File > Exit
# (Alt+F, X) and expect status 0.
# Under openbox: the start-up outer size, frame included; a 512 x 512 picture shown as a
# square at standard size with its circle round, and pixel for pixel at actual size (Menu key,
# "実物大で表示"); a picture larger than the screen, named on the command line, shown at actual
# size in a window that stays on the screen, its top-left part pixel for pixel; a converted
# photo's Ctrl+S answered with Enter leaves the photo as it was.
# In English (LANGUAGE=en): the File menu and the About window, reached by English access
# keys, photographed into the working folder (or PINTABEL_SMOKE_SCREENSHOTS).
# Last, nothing but the program's own settings file was written under the user's
# configuration folder.
# Usage: smoke_test.sh PATH/TO/pintabel
# Exits 77 (reported by ctest as skipped) when a tool it needs is missing.
set -euo pipefail

app=${1:?usage: smoke_test.sh PATH/TO/pintabel}
for tool in xvfb-run xdotool xprop xwininfo openbox convert import compare; do
    if ! command -v "$tool" >/dev/null; then
        echo "smoke: $tool is not installed; skipped"
        exit 77
    fi
done

# First pass: start a private X server and run the second pass inside it, with an overall
# deadline so that nothing can hang the test run.
if [ -z "${PINTABEL_SMOKE_DISPLAY:-}" ]; then
    export PINTABEL_SMOKE_DISPLAY=1
    # -noreset: the server would otherwise reset when the bare phase's program ends, its last
    # client, and refuse the window manager that connects meanwhile.
    exec timeout -k 5 220 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" "$0" "$@"
fi

work=$(mktemp -d)
pid=""
wm=""
cleanup() {
    local p
    for p in $pid $wm; do
        if kill -0 "$p" 2>/dev/null; then
            kill "$p" 2>/dev/null || true
            sleep 0.5
            kill -9 "$p" 2>/dev/null || true
        fi
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "smoke: FAILED: $*"
    if [ -s "$work/app.log" ]; then
        echo "--- program output"
        cat "$work/app.log"
    fi
    if [ -s "$work/openbox.log" ]; then
        echo "--- window manager output"
        cat "$work/openbox.log"
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
    # A window showing a page is titled "FILE – Pintabel".
    main=$(xdotool search --onlyvisible --name 'Pintabel$' 2>/dev/null | head -n 1)
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

# size: the outer size of the main window, the window manager's frame included.
read_size() {
    local WIDTH HEIGHT X Y SCREEN WINDOW extents left=0 right=0 top=0 bottom=0
    eval "$(xdotool getwindowgeometry --shell "$main")"
    extents=$(xprop -id "$main" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p')
    if [ -n "$extents" ]; then
        IFS=', ' read -r left right top bottom <<<"$extents"
    fi
    size="$((WIDTH + left + right))x$((HEIGHT + top + bottom))"
    # xdotool's position of a framed window is not the client's; xwininfo's is.
    X=$(xwininfo -id "$main" | sed -n 's/.*Absolute upper-left X: *//p')
    Y=$(xwininfo -id "$main" | sed -n 's/.*Absolute upper-left Y: *//p')
    frame_left=$((X - left))
    frame_top=$((Y - top))
}

size_changed() {
    read_size
    [ "$size" != "$initial_size" ]
}

size_is() {
    read_size
    [ "$size" = "$1" ]
}

exited() { ! kill -0 "$pid" 2>/dev/null; }

# start [FILE...]: starts the program and waits for its window.
start() {
    XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb "$app" "$@" >"$work/app.log" 2>&1 &
    pid=$!
    # Generous: a sanitizer build on a busy machine can take long to start.
    wait_for 40 find_main_window || fail "no visible Pintabel window within 40 s"
}

focus_main() {
    if [ -n "$wm" ]; then
        xdotool windowactivate --sync "$main"
    else
        xdotool windowfocus --sync "$main"
    fi
}

# open_picture PATH: Ctrl+O, the path typed into the dialog, Enter.
open_picture() {
    focus_main
    xdotool key --clearmodifiers ctrl+o
    wait_for 10 find_dialog || fail "Ctrl+O showed no dialog"
    xdotool windowfocus --sync "$dialog"
    sleep 0.5
    xdotool type --delay 10 "$1"
    xdotool key Return
    # The file name's completer may take the first Enter for itself.
    if ! wait_for 2 no_dialog; then
        xdotool key Return
        # A sanitizer build beside other tests can still be filling the dialog while the
        # name is typed, and keys go astray: the name is typed once more over what is there.
        if ! wait_for 5 no_dialog; then
            xdotool windowfocus --sync "$dialog"
            xdotool key --clearmodifiers ctrl+a
            xdotool type --delay 20 "$1"
            xdotool key Return
            wait_for 4 no_dialog || xdotool key Return
            wait_for 10 no_dialog || fail "the Open dialog did not accept $1"
        fi
    fi
}

# actual_size: the page's menu from the keyboard, then "実物大で表示", its seventh item.
actual_size() {
    focus_main
    initial_size=$size
    xdotool key Menu
    sleep 0.5
    xdotool key Down Down Down Down Down Down Down Return
    wait_for 10 size_changed || fail "\"実物大で表示\" left the window at $initial_size"
    sleep 0.5
    read_size
}

exit_program() {
    focus_main
    xdotool key --clearmodifiers alt+f
    sleep 0.5
    xdotool key x
    wait_for 10 exited || fail "the program was still running 10 s after File > Exit"
    local status=0
    wait "$pid" || status=$?
    pid=""
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# page_on_screen: grabs the window and finds the page by the picture's blue frame: page_w,
# page_h, page_x, page_y (within the window's client area).
page_on_screen() {
    import -window "$main" "$work/shot.png"
    local geometry
    geometry=$(convert "$work/shot.png" -fuzz 10% -fill white +opaque '#0000ff' -fill black -opaque '#0000ff' \
        -trim -format '%w %h %X %Y' info:)
    read -r page_w page_h page_x page_y <<<"$geometry"
    page_x=${page_x#+}
    page_y=${page_y#+}
    convert "$work/shot.png" -crop "${page_w}x${page_h}+${page_x}+${page_y}" +repage "$work/page.png"
}

# same_pixels PICTURE: the page shows PICTURE's top-left part pixel for pixel.
same_pixels() {
    convert "$1" -crop "${page_w}x${page_h}+0+0" +repage "$work/expected.png"
    local differ
    differ=$(compare -metric AE "$work/page.png" "$work/expected.png" null: 2>&1 || true)
    [ "$differ" = "0" ] || fail "the page differs from $1 in $differ pixels"
}

# A 600 x 400 picture: sky over a green field; and a 600 x 300 one.
convert -size 600x400 xc:'#88c0f0' -fill '#40a040' -draw 'rectangle 0,250 599,399' "$work/field.png"
convert -size 600x300 xc:'#f0c080' "$work/wide.png"
# 512 x 512, a blue frame 8 pixels wide, a black circle; and one larger than the screen.
convert -size 512x512 xc:white -fill none -stroke '#0000ff' -strokewidth 16 \
    -draw 'rectangle 0,0 511,511' -stroke black -strokewidth 3 -draw 'circle 256,256 256,56' \
    "PNG24:$work/circle.png"
convert -size 2600x2000 xc:white -fill none -stroke '#0000ff' -strokewidth 16 \
    -draw 'rectangle 0,0 2599,1999' -stroke black -strokewidth 1 \
    -draw 'line 20,20 700,500' -draw 'line 20,300 900,40' "PNG24:$work/large.png"

echo "smoke: without a window manager"
start
read_size
[ "$size" = "360x422" ] || fail "the window started at $size, expected 360x422"
initial_size=$size
echo "smoke: window $main is up, $size"

open_picture "$work/field.png"
wait_for 10 size_changed || fail "the window kept its size $initial_size after opening field.png"
echo "smoke: field.png opened, window now $size"

# A second page, 600 x 300, at the same standard width of 300: the window keeps its width
# and its page area loses 300*400/600 - 300*300/600 = 50 pixels of height.
first_size=$size
expected="${first_size%x*}x$((${first_size#*x} - 50))"
open_picture "$work/wide.png"
initial_size=$first_size
wait_for 10 size_changed || fail "the window kept its size $first_size after opening a second page"
sleep 0.3
read_size
[ "$size" = "$expected" ] || fail "after the 600x300 page the window is $size, expected $expected"
echo "smoke: second page opened, window now $size"
exit_program
echo "smoke: ended by File > Exit with status 0"

echo "smoke: under openbox"
openbox >"$work/openbox.log" 2>&1 &
wm=$!
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for 20 wm_running || fail "openbox did not start"

start
# The window manager frames the window after it has appeared.
wait_for 10 size_is 360x422 || fail "under openbox the window is $size, expected 360x422"
echo "smoke: window $main is up, $size with its frame"
initial_size=$size
open_picture "$work/circle.png"
wait_for 10 size_changed || fail "the window kept its size after opening circle.png"
sleep 0.5
page_on_screen
[ "${page_w}x$page_h" = "300x300" ] || fail "at standard size the page is ${page_w}x$page_h"
circle=$(convert "$work/page.png" -shave 12x12 -colorspace gray -threshold 35% -trim \
    -format '%w %h' info:)
read -r circle_w circle_h <<<"$circle"
[ $((circle_w - circle_h)) -ge -1 ] && [ $((circle_w - circle_h)) -le 1 ] ||
    fail "at standard size the circle is ${circle_w}x$circle_h"
echo "smoke: standard size shows a ${page_w}x$page_h page, the circle ${circle_w}x$circle_h"

actual_size
page_on_screen
[ "${page_w}x$page_h" = "512x512" ] || fail "at actual size the page is ${page_w}x$page_h"
same_pixels "$work/circle.png"
echo "smoke: actual size shows circle.png pixel for pixel, window $size"
exit_program

# A photo converted, then Ctrl+S and Enter: the question's default is Cancel, so the photo
# keeps its bytes.
convert "$work/field.png" "$work/photo.jpg"
cp "$work/photo.jpg" "$work/photo.orig"
start "$work/photo.jpg"
initial_size="360x422"
wait_for 20 size_changed || fail "photo.jpg named on the command line did not open"
focus_main
xdotool key Menu
sleep 0.5
xdotool key Return
sleep 2
focus_main
xdotool key --clearmodifiers ctrl+s
wait_for 10 find_dialog || fail "Ctrl+S asked nothing"
xdotool windowfocus --sync "$dialog"
sleep 0.3
xdotool key Return
wait_for 10 no_dialog || fail "Enter did not close the overwrite question"
cmp -s "$work/photo.jpg" "$work/photo.orig" || fail "Enter on the overwrite question replaced photo.jpg"
echo "smoke: Ctrl+S then Enter left photo.jpg as it was"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""

start "$work/large.png"
initial_size="360x422"
wait_for 20 size_changed || fail "large.png named on the command line did not open"
actual_size
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
frame_w=${size%x*}
frame_h=${size#*x}
[ "$frame_left" -ge 0 ] && [ "$frame_top" -ge 0 ] &&
    [ $((frame_left + frame_w)) -le "$screen_w" ] && [ $((frame_top + frame_h)) -le "$screen_h" ] ||
    fail "at actual size the window ($size at $frame_left,$frame_top) leaves the screen"
page_on_screen
[ "$page_w" -lt 2600 ] && [ "$page_h" -lt 2000 ] ||
    fail "the whole of large.png is in view: ${page_w}x$page_h"
same_pixels "$work/large.png"
echo "smoke: large.png at actual size in a $size window on the screen, its ${page_w}x$page_h" \
    "top-left part pixel for pixel"
exit_program

# In English: the File menu opened from the keyboard, photographed, and its About item
# chosen by its English access key (Alt+F, I) shows the window titled in English.
echo "smoke: in English"
shots=${PINTABEL_SMOKE_SCREENSHOTS:-$PWD}
LANGUAGE=en start
focus_main
xdotool key --clearmodifiers alt+f
sleep 0.5
import -window root "$shots/smoke-english-menu.png"
xdotool key i
find_about() {
    about=$(xdotool search --onlyvisible --name '^About Pintabel$' 2>/dev/null | head -n 1)
    [ -n "$about" ]
}
wait_for 10 find_about || fail "Alt+F, I showed no window titled \"About Pintabel\""
sleep 0.3
import -window root "$shots/smoke-english-about.png"
echo "smoke: English menu and About window in $shots/smoke-english-*.png"
xdotool windowactivate --sync "$about" key Escape
exit_program

# The program keeps one file of its own there (the folder last opened from, the dialogs'
# choices); Qt's own dialog state is not kept.
kept=$(find "$work/config" -type f ! -path "$work/config/Pintabel/pintabel.ini" 2>/dev/null)
if [ -n "$kept" ]; then
    fail "the program left files in the configuration folder: $kept"
fi
echo "smoke: nothing but pintabel.ini kept under the configuration folder"
