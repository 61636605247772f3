#!/usr/bin/env bash
# The bar in daily use on a real X server: the command box's editing keys as
# xdotool presses them, the focus coming back after a message box, hotkeys
# on French, German and Russian layouts and across a layout change, what a
# started program inherits, and "zindle --activate" from another client.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x11_session.sh"
x11_start
setxkbmap fr

dir=$session_dir/program
mkdir -p "$dir"
# Each run of the probe adds a line: its word, session id, process id,
# QT_QPA_PLATFORM and a variable the bar was started with.
probe=$session_dir/probe.sh
printf '#!/bin/sh\necho "$1 $(ps -o sid= -p $$ | tr -d " ") $$ ${QT_QPA_PLATFORM-unset} $ZINDLE_PROBE" >>%s/probe.txt\n' \
  "$session_dir" >"$probe"
chmod +x "$probe"
# Ctrl+1, Ctrl+Alt+Z (another key on a German keyboard) and Ctrl+Alt+A.
{
  printf '[cfg]\nUse1=yes\nKey1=49\nShift1=2\nUse2=yes\nKey2=90\nShift2=6\nUse3=yes\nKey3=65\nShift3=6\n'
  printf '[cmds]\n$hotkey1=%%%%exe %s one\n$hotkey2=%%%%exe %s two\n$hotkey3=%%%%exe %s three\n' "$probe" "$probe" "$probe"
} >"$dir/zindle.ini"
# As on a Wayland desktop: the bar itself still runs on X11, and what it
# starts keeps the setting.
QT_QPA_PLATFORM=wayland ZINDLE_PROBE=inherited zindle_start "$dir" || { echo "FAIL the bar did not dock"; exit 1; }
bar=$(zindle_window)
check "every hotkey is had on a French keyboard" \
  wait_for grep -qx 'hotkeys: 0:122:0 1:49:2 2:90:3 3:65:3' "$dir/trace.txt"
sleep 2

# The command box's last line in the trace.
command_is() { wait_for sh -c "grep '^command: ' '$dir/trace.txt' | tail -1 | grep -qxF 'command: $1'"; }
keys F11
check "F11 puts the focus in the bar" wait_for test "$(xdotool getwindowfocus)" = "$bar"
type_text "abc"
keys Home Delete Delete
check "Delete deletes forwards" command_is "c"
keys End BackSpace
type_text "run note pad"
keys ctrl+BackSpace
check "Ctrl+Backspace deletes a word" command_is "run note "
keys Home ctrl+Delete
check "Ctrl+Delete deletes a word" command_is "note "
keys shift+End BackSpace
check "Shift+End selects to the end" command_is ""
# A dead key of the layout: ^ then e on a French keyboard.
keys dead_circumflex e
check "a dead key composes" command_is "ê"
keys BackSpace

run_in_bar "%%msgbox hello"
check "%%msgbox shows its box" wait_for xdotool search --onlyvisible --name '^Zindle Script Message$'
keys Return
check "the box closes" wait_for sh -c "! xdotool search --onlyvisible --name '^Zindle Script Message\$'"
check "the focus is back in the bar" wait_for test "$(xdotool getwindowfocus)" = "$bar"
command_is ""  # the box takes keys again once the run has ended
type_text "xy"
check "typing reaches the command box" command_is "xy"
shot layouts_after_msgbox
keys BackSpace BackSpace

run_in_bar "%%options"
check "%%options opens its dialog" wait_for xdotool search --onlyvisible --name '^%%options$'
keys alt+F4
check "closing it asks first" wait_for xdotool search --onlyvisible --name '^OK to cancel any option changes\?$'
keys Return
check "the dialog closes" wait_for sh -c "! xdotool search --onlyvisible --name '^%%options\$'"
check "the focus is back in the bar after the dialog" wait_for test "$(xdotool getwindowfocus)" = "$bar"
command_is ""
type_text "q"
check "typing reaches the command box after the dialog" command_is "q"
keys BackSpace

xterm &
x11_pids+=($!)
wait_for xdotool search --sync --onlyvisible --class xterm
term=$(xdotool search --onlyvisible --class xterm | head -1)
# fires WORD KEYS...: the keys (on the xterm) run the probe with WORD.
fires() {
  local word=$1 before
  shift
  before=$(grep -c "^$word " "$session_dir/probe.txt" 2>/dev/null)
  xdotool windowactivate --sync "$term" 2>/dev/null
  keys "$@"
  wait_for test "$(grep -c "^$word " "$session_dir/probe.txt" 2>/dev/null)" -gt "${before:-0}"
}
check "Ctrl+1 on French (the & key)" fires one ctrl+ampersand
check "Ctrl+Alt+A on French (where Q is on US)" fires three ctrl+alt+a
read -r _ sid pid platform inherited < <(grep '^one ' "$session_dir/probe.txt" | tail -1)
check "a started program leads a session of its own" test "$sid" = "$pid"
check "it gets the environment the bar was started with" test "$platform $inherited" = "wayland inherited"

setxkbmap de
check "Ctrl+Alt+Z follows Z to its German key" fires two ctrl+alt+z
check "Ctrl+1 on German" fires one ctrl+1
setxkbmap ru
check "Ctrl+Alt+A on Russian alone (the key of Ф)" fires three ctrl+alt+Cyrillic_ef
check "Ctrl+1 on Russian" fires one ctrl+1
setxkbmap ru,us
check "Ctrl+Alt+A on Russian with US second" fires three ctrl+alt+Cyrillic_ef
setxkbmap us
check "Ctrl+Alt+Z back on US" fires two ctrl+alt+z
check "no hotkey was refused" sh -c "! grep -q '^msgbox: .*register' '$dir/trace.txt'"

# --activate from another client: the running bar takes the focus and no
# second bar starts.
xdotool windowactivate --sync "$term" 2>/dev/null
"$dir/zindle" --activate >"$session_dir/activate.txt" 2>&1
check "--activate ends at once" test $? = 0
check "--activate puts the focus in the bar" wait_for test "$(xdotool getwindowfocus)" = "$bar"
type_text "hi"
check "--activate's focus is in the command box" command_is "hi"
check "no Already Running box" sh -c "! xdotool search --onlyvisible --name '^Zindle Already Running\$'"
finish
