#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
# Remakes docs/screenshot.png (Japanese), or with LANGUAGE=en docs/screenshot-en.png: runs
# the real program on a virtual X display, opens two made-up photographs, turns the second
# into a colouring page, darkens it twice, shows it at actual size and crops the screen to
# the window. Needs a built build/app/pintabel (or the path given as $1), xvfb-run, xdotool,
# xwininfo, openbox and ImageMagick. Timing is by pauses, so a slow machine may need PAUSE=2.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
app=${1:-$here/../build/app/pintabel}
pause=${PAUSE:-1}
language=${LANGUAGE:-ja}
language=${language%%:*}
export LANGUAGE=$language
shot=$here/screenshot.png
[ "$language" = ja ] || shot=$here/screenshot-$language.png

if [ -z "${PINTABEL_SHOT_DISPLAY:-}" ]; then
    export PINTABEL_SHOT_DISPLAY=1
    exec timeout -k 5 120 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$app"
fi

work=$(mktemp -d)
pid=""
wm=""
trap 'for p in $pid $wm; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT

convert -size 600x400 gradient:'#6fb7ff-#e8f4ff' \
    -fill '#ffd84a' -draw 'circle 470,90 470,140' \
    -fill '#5aa845' -draw 'ellipse 150,420 330,150 180,360' \
    -fill '#3f8f3a' -draw 'ellipse 480,430 300,130 180,360' \
    -fill '#8b5a2b' -draw 'rectangle 140,190 160,300' \
    -fill '#2f7d32' -draw 'circle 150,170 150,225' \
    -fill '#d9453c' -draw 'rectangle 330,230 450,320' \
    -fill '#7a3b22' -draw 'polygon 320,232 390,170 460,232' \
    -fill '#fff3c4' -draw 'rectangle 375,270 405,320' "$work/landscape.jpg"
convert -size 600x450 gradient:'#fbe7c6-#e9b872' \
    -fill '#c0392b' -draw 'circle 220,250 220,330' -fill '#f39c12' -draw 'circle 370,240 370,320' \
    -fill '#f1c40f' -draw 'ellipse 300,330 120,55 0,360' \
    -fill '#27ae60' -draw 'ellipse 230,165 30,14 0,360' \
    -fill '#6d4c41' -draw 'ellipse 300,380 220,40 0,180' -blur 0x1.5 "$work/fruit.jpg"

# Without a window manager the page's menu does not get the keys typed into it.
openbox >/dev/null 2>&1 &
wm=$!
sleep "$pause"
QT_QPA_PLATFORM=xcb "$app" >/dev/null 2>&1 &
pid=$!
main=""
for _ in $(seq 100); do
    main=$(xdotool search --onlyvisible --name '^Pintabel$' 2>/dev/null | head -n 1 || true)
    [ -z "$main" ] || break
    sleep 0.1
done
[ -n "$main" ] || { echo "no Pintabel window" >&2; exit 1; }

other_window() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -v "^$main\$" | tail -n 1; }

open_picture() {
    xdotool windowfocus --sync "$main"
    xdotool key --clearmodifiers ctrl+o
    sleep "$pause"
    xdotool windowfocus --sync "$(other_window)"
    xdotool type --delay 10 "$1"
    xdotool key Return
    sleep "$pause"
    # The file name's completer may have taken the first Enter.
    [ -z "$(other_window)" ] || { xdotool key Return; sleep "$pause"; }
}

# popup_command N: the N-th command of the page's context menu (separators are skipped).
popup_command() {
    local WIDTH HEIGHT X Y SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$main")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
    sleep "$pause"
    local i
    for ((i = 0; i < $1; ++i)); do
        xdotool key Down
    done
    xdotool key Return
    sleep $((pause * 3))
}

open_picture "$work/fruit.jpg"
open_picture "$work/landscape.jpg"
popup_command 1 # 塗り絵に変換
popup_command 4 # 色を濃くする
popup_command 4
popup_command 6 # 実物大で表示
xdotool mousemove 1270 1010
sleep "$pause"

import -window root "$work/root.png"
eval "$(xdotool getwindowgeometry --shell "$main")"
# Under a window manager xdotool places the frame, xwininfo the window itself.
X=$(xwininfo -id "$main" | sed -n 's/.*Absolute upper-left X: *//p')
Y=$(xwininfo -id "$main" | sed -n 's/.*Absolute upper-left Y: *//p')
convert "$work/root.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
echo "wrote $shot (${WIDTH}x${HEIGHT})"
xdotool windowfocus --sync "$main"
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key x
