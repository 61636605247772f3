#!/usr/bin/env bash
# How the bar looks on a real X server: the splash at start, the sample skins
# changing the picture, a 192 DPI screen giving a bar twice as high, and a
# 144 DPI one where a logical pixel is a pixel and a half.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x11_session.sh"
bar_height() { geometry_of "$(zindle_window)" | cut -d' ' -f4; }
bar_picture() { import -window root -crop "1024x$1+0+$((768 - $1))" "$session_dir/$2.png"; }

x11_start
dir=$session_dir/program
mkdir -p "$dir"
cp -r "$here/../../skins" "$dir/"
zindle_start "$dir" || { echo "FAIL the bar did not dock"; exit 1; }
splash_shown() {
  local id
  for id in $(xdotool search --onlyvisible --name '^Zindle$'); do
    xprop -id "$id" _NET_WM_WINDOW_TYPE | grep -q SPLASH && return 0
  done
  return 1
}
check "the splash shows at start" splash_shown
shot splash
splash_gone() { ! splash_shown; }
check "the splash goes after two seconds" wait_for splash_gone
check "the bar is 21 pixels high at 96 DPI" test "$(bar_height)" = 21
bar_picture 21 base
for skin in midnight paper; do
  run_in_bar "%%skin $skin"
  sleep 1
  height=$(bar_height)
  shot "skin_$skin"
  bar_picture "$height" "$skin"
  check "the $skin skin changes the bar's picture" \
    sh -c "! compare -metric AE '$session_dir/base.png' '$session_dir/$skin.png' null: 2>/dev/null"
done
run_in_bar "%%quit"
wait_for sh -c "! kill -0 $zindle_pid 2>/dev/null"


# A second display at 192 DPI: the same skin, twice the pixels.
x11_start 192
zindle_start "$session_dir/hidpi" || { echo "FAIL the bar did not dock at 192 DPI"; exit 1; }
sleep 2.5
check "the bar is 42 pixels high at 192 DPI" test "$(bar_height)" = 42
check "the strip is 42 pixels at 192 DPI" test "$(work_area)" = "0, 0, 1024, 726"
shot hidpi
run_in_bar "%%quit"
wait_for sh -c "! kill -0 $zindle_pid 2>/dev/null"

# 144 DPI: 21 logical rows are 31.5 device ones. The window covers exactly
# the rows its strut reserves, and none past the screen's edge.
x11_start 144
zindle_start "$session_dir/dpi144" || { echo "FAIL the bar did not dock at 144 DPI"; exit 1; }
bar=$(zindle_window)
sleep 2.5
strut_of() { xprop -id "$bar" _NET_WM_STRUT_PARTIAL | sed 's/.*= //'; }
check "at 144 DPI the bar ends on the screen's last row" test "$(geometry_of "$bar")" = "0 737 1024 31"
check "at 144 DPI the strut reserves those 31 rows" \
  test "$(strut_of)" = "0, 0, 0, 31, 0, 0, 0, 0, 0, 0, 0, 1023"
run_in_bar "%%up"
bar_on_top() { [ "$(geometry_of "$bar")" = "0 0 1024 32" ]; }
check "at the top at 144 DPI the window is its strip" wait_for bar_on_top
check "at the top at 144 DPI the strut is as high as the window" \
  test "$(strut_of)" = "0, 0, 32, 0, 0, 0, 0, 0, 0, 1023, 0, 0"
shot dpi144
finish
