#!/usr/bin/env bash
# What bad surroundings get: no display, no window manager, no xdg-open,
# an unplayable sound. A clear message, and the bar keeps running.
set -uo pipefail
source "$(dirname "$0")/x11_session.sh"

message=$(env -u DISPLAY "$ZINDLE_BIN" 2>&1)
status=$?
check "without a display the program says so and ends" test "$status" = 1
check "the message names the missing display" grep -q "no X display" <<<"$message"

# A server without a window manager: the bar still takes its place.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$session_dir/bare" 2>/dev/null &
x11_pids+=($!)
wait_for grep -q '^[0-9]' "$session_dir/bare"
export DISPLAY=:$(head -1 "$session_dir/bare")
dir=$session_dir/program
mkdir -p "$dir/bin"
# The bar's PATH lacks xdg-open.
ZINDLE_PATH=$dir/bin zindle_start "$dir" || { echo "FAIL the bar did not start without a window manager"; exit 1; }
bar=$(zindle_window)
check "without a window manager the bar lies at the bottom" test "$(geometry_of "$bar")" = "0 747 1024 21"
check "and reserves its strip all the same" grep -qx 'strip: 0 747 1024 768' "$dir/trace.txt"
sleep 2.5
xdotool mousemove 100 757 click 1
sleep 0.3
xdotool type --delay 50 '%%open http://example.org/'
xdotool key Return
check "a missing xdg-open is reported as no association" wait_for grep -q '^status: No File Association' "$dir/trace.txt"
xdotool type --delay 50 "%%wav $dir/zindle.ini"
xdotool key Return
check "a file that is no sound goes to the player" wait_for grep -qx "sound: $dir/zindle.ini" "$dir/trace.txt"
sleep 0.5
check "and the bar keeps running" kill -0 "$zindle_pid"
finish
