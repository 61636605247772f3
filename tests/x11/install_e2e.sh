#!/usr/bin/env bash
# An install under a temporary prefix keeps its files in the user's
# configuration folder, and its bar runs on a second display beside the
# first display's bar of the same user. "--autostart on" and "off" write
# and remove the session's autostart entry.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x11_session.sh"
build=${ZINDLE_BIN%/src/frontends/qt/zindle}
prefix=$session_dir/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL cmake --install"; exit 1; }

x11_start
first_display=$DISPLAY
zindle_start "$session_dir/portable" || { echo "FAIL the first bar did not dock"; exit 1; }

x11_start
check "a second display" test "$DISPLAY" != "$first_display"
# The prefix's bin/ is writable, yet the program is an installed one.
(cd "$session_dir" && exec "$prefix/bin/zindle" --trace "$session_dir/installed.txt" >/dev/null 2>&1) &
x11_pids+=($!)
check "the installed bar docks on the second display" wait_for zindle_window
check "no Already Running box" sh -c "! xdotool search --onlyvisible --name '^Zindle Already Running\$'"
check "the first bar runs on" kill -0 "$zindle_pid"
shot install_second_display
config=$XDG_CONFIG_HOME/zindle
check "its settings are in the configuration folder" wait_for test -f "$config/zindle.ini"
check "the sample skins are copied there" test -d "$config/skins" -a -n "$(ls "$config/skins")"
check "nothing is written beside the program" test "$(ls "$prefix/bin")" = zindle

entry=$XDG_CONFIG_HOME/autostart/zindle.desktop
check "--autostart on" sh -c "'$prefix/bin/zindle' --autostart on >/dev/null"
check "the entry starts this program" grep -qxF "Exec=\"$prefix/bin/zindle\"" "$entry"
check "--autostart off" sh -c "'$prefix/bin/zindle' --autostart off >/dev/null"
check "the entry is gone" test ! -e "$entry"
check "--autostart with no word is refused" sh -c "! '$prefix/bin/zindle' --autostart 2>/dev/null"
finish
