#!/usr/bin/env bash
# The dock on a real X server: the strip it reserves, the swap button, a
# maximised window stopping short of the strip, dragging the bar between
# edges, a window-manager restart, and "%%quit" writing the settings.
set -uo pipefail
source "$(dirname "$0")/x11_session.sh"
bar_at() { [ "$(geometry_of "$bar")" = "$1" ]; }
work_area_is() { [ "$(work_area)" = "$1" ]; }
x11_start
dir=$session_dir/program
zindle_start "$dir" || { echo "FAIL the bar did not dock"; exit 1; }
bar=$(zindle_window)
sleep 2.5  # the splash goes after two seconds
check "the bottom strip leaves the work area 1024 x 747" wait_for work_area_is "0, 0, 1024, 747"
check "the bar lies in the bottom strip" wait_for bar_at "0 747 1024 21"
shot docked

xdotool mousemove 11 757 click 1
check "the swap button moves the strip to the top" wait_for work_area_is "0, 21, 1024, 747"
check "the bar lies in the top strip" wait_for bar_at "0 0 1024 21"
shot swapped_to_top

xterm -geometry 80x24+100+300 &
x11_pids+=($!)
wait_for xdotool search --sync --class xterm
term=$(xdotool search --class xterm | head -1)
wmctrl -i -r "$term" -b add,maximized_vert,maximized_horz
sleep 1
read -r _ term_top _ term_height < <(geometry_of "$term")
check "a maximised xterm stops short of the top strip" test "$term_top" -ge 21
check "a maximised xterm reaches down the screen" test $((term_top + term_height)) -gt 700
wmctrl -i -r "$term" -b remove,maximized_vert,maximized_horz

# Dragged by its background from the top edge to the bottom one. The pointer
# comes to rest first, as a hand's would, so the swap button has let it go.
xdotool mousemove 600 10
sleep 0.3
xdotool mousedown 1
for y in 100 300 500 700 740; do xdotool mousemove 600 $y; sleep 0.1; done
xdotool mouseup 1
check "dragging the bar to the bottom docks it there" wait_for work_area_is "0, 0, 1024, 747"
check "the dragged bar lies in the bottom strip" wait_for bar_at "0 747 1024 21"
shot dragged_to_bottom

old_wm=$(xprop -root _NET_SUPPORTING_WM_CHECK)
openbox --replace >/dev/null 2>&1 &
x11_pids+=($!)
wait_for sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep 'window id' | grep -vq '${old_wm##* }'"
sleep 1
check "the strip survives a window manager restart" wait_for work_area_is "0, 0, 1024, 747"
check "the bar stays in its strip after the restart" bar_at "0 747 1024 21"

run_in_bar "%%quit"
check "%%quit ends the program" wait_for sh -c "! kill -0 $zindle_pid 2>/dev/null"
check "zindle.ini is written" grep -q '^edge=b' "$dir/zindle.ini"
check "history.ini is written" grep -q '^\[history\]' "$dir/history.ini"
check "the trace ends with exit" test "$(tail -1 "$dir/trace.txt")" = exit
check "the strip is given back" wait_for work_area_is "0, 0, 1024, 768"
finish
