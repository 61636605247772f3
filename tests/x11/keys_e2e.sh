#!/usr/bin/env bash
# Keys on a real X server: F11 from another application, a custom hotkey
# with the clipboard's text, a script test's typing compared line by line
# with what the headless program prints, "%%msgbox", a second start, and
# another session's bar that cannot have F11.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x11_session.sh"
x11_start

# xdg-open records what it was asked to open.
stub=$session_dir/stub
mkdir -p "$stub"
printf '#!/bin/sh\necho "$@" >> %s/opened.txt\n' "$session_dir" >"$stub/xdg-open"
chmod +x "$stub/xdg-open"
export PATH=$stub:$PATH

dir=$session_dir/program
mkdir -p "$dir"
# typing.ini's commands, custom hotkey 1 (Ctrl+Shift+A) and its command.
{
  printf '[cfg]\nUse1=yes\nKey1=65\nShift1=3\n'
  cat "$here/../e2e/typing.ini"
  printf '$hotkey1=%%%%open\n'
} >"$dir/zindle.ini"
cp "$here/../e2e/typing.history" "$dir/history.ini"
# Waits until the trace has not grown for a second.
trace_settles() {
  local size=-1 now
  for i in $(seq 50); do
    now=$(wc -c <"$dir/trace.txt")
    [ "$now" = "$size" ] && return 0
    size=$now
    sleep 1
  done
}
zindle_start "$dir" || { echo "FAIL the bar did not dock"; exit 1; }
bar=$(zindle_window)
sleep 2.5

xterm &
x11_pids+=($!)
wait_for xdotool search --sync --onlyvisible --class xterm
term=$(xdotool search --onlyvisible --class xterm | head -1)
xdotool windowactivate --sync "$term" 2>/dev/null
check "the xterm has the focus" test "$(xdotool getwindowfocus)" = "$term"
keys F11
check "F11 puts the focus in the bar" wait_for test "$(xdotool getwindowfocus)" = "$bar"

# typing.script's typing, key by key on both sides; its "run" and "quit" lines are left out.
script=$session_dir/typing.script
trace_start=$(wc -l <"$dir/trace.txt")
: >"$script"
while IFS= read -r line; do
  case $line in
    "type "*)
      text=${line#type }
      for ((i = 0; i < ${#text}; i++)); do
        printf 'type %s\n' "${text:i:1}" >>"$script"
        type_text "${text:i:1}"
      done ;;
    "key "*)
      name=${line#key }
      echo "$line" >>"$script"
      case $name in
        Enter) keys Return; trace_settles ;;   # the status line's effects and flashes take their time
        Backspace) keys BackSpace ;;
        *) keys "$name" ;;
      esac ;;
  esac
done <"$here/../e2e/typing.script"
sleep 1
expected_dir=$session_dir/headless
mkdir -p "$expected_dir"
cp "$here/../e2e/typing.ini" "$expected_dir/zindle.ini"
cp "$here/../e2e/typing.history" "$expected_dir/history.ini"
"$ZINDLE_HEADLESS" --dir "$expected_dir" <"$script" >"$session_dir/expected.txt"
# Both sides from the first line after the start-up report. Left out: the
# positions (window:, strip:, edge:), which are the window system's, and
# "failed", which the real bar writes after every command line it runs while
# the headless program writes it only after a script's "run" lines.
# The closing "exit": the real bar goes on running.
compare_filter() { sed -n '/^hotkeys:/,$p' | sed 1d | grep -Ev '^(window|strip|edge|hotkeys): |^failed$|^exit$'; }
# The real trace's start-up report lies before this range: a marker stands for it.
{ echo "hotkeys: start"; tail -n +"$((trace_start + 1))" "$dir/trace.txt"; } | compare_filter >"$session_dir/actual2.txt"
compare_filter <"$session_dir/expected.txt" >"$session_dir/expected2.txt"
if ! check "typed keys give the lines the headless program prints" diff "$session_dir/expected2.txt" "$session_dir/actual2.txt"; then
  diff "$session_dir/expected2.txt" "$session_dir/actual2.txt" | head -40
  cp "$session_dir/actual2.txt" "$E2E_SHOTS/typing.actual"
fi

# A custom hotkey runs its command with the clipboard's text.
printf 'https://example.org/zindle' | xclip -quiet -selection clipboard >/dev/null 2>&1 &
x11_pids+=($!)
sleep 0.3
xdotool windowactivate --sync "$term" 2>/dev/null
keys ctrl+shift+a
check "Ctrl+Shift+A opens the clipboard's address" wait_for grep -qx 'https://example.org/zindle' "$session_dir/opened.txt"

run_in_bar "%%options"
check "%%options opens the options dialog" wait_for xdotool search --onlyvisible --name '^%%options$'
check "the dialog's boxes are traced as it opens" wait_for grep -qx 'dialog: txtCustom(6) 0,' "$dir/trace.txt"
check "the hotkeys are let go while it is open" grep -qx 'hotkeys: none' "$dir/trace.txt"
shot options
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^%%options$' | head -1)" 2>/dev/null
keys alt+F4
check "closing it asks first" wait_for xdotool search --onlyvisible --name '^OK to cancel any option changes\?$'
keys Return
check "the dialog closes" wait_for sh -c "! xdotool search --onlyvisible --name '^%%options\$'"
check "the hotkeys come back" wait_for sh -c "tail -3 '$dir/trace.txt' | grep -qx 'hotkeys: 0:122:0 1:65:6'"

run_in_bar "%%msgbox hello from the bar"
check "%%msgbox shows its box" wait_for xdotool search --onlyvisible --name '^Zindle Script Message$'
shot msgbox
keys Return
check "the box closes with Enter" wait_for sh -c "! xdotool search --onlyvisible --name '^Zindle Script Message\$'"

second=$session_dir/second
mkdir -p "$second"
cp "$ZINDLE_BIN" "$second/zindle"
(cd "$second" && exec ./zindle --trace "$second/trace.txt" >/dev/null 2>&1) &
second_pid=$!
x11_pids+=($second_pid)
check "a second start shows Zindle Already Running" wait_for xdotool search --onlyvisible --name '^Zindle Already Running$'
shot already_running
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^Zindle Already Running$' | head -1)" 2>/dev/null
keys Return
check "the second program ends after OK" wait_for sh -c "! kill -0 $second_pid 2>/dev/null"
check "the first bar still runs" kill -0 "$zindle_pid"

# A bar of another session (its own lock) cannot have the first one's F11.
mkdir -p "$session_dir/runtime2" && chmod 700 "$session_dir/runtime2"
(cd "$second" && XDG_RUNTIME_DIR=$session_dir/runtime2 exec ./zindle --trace "$second/trace.txt" >/dev/null 2>&1) &
multi_pid=$!
x11_pids+=($multi_pid)
check "a key another program holds cannot be registered" \
  wait_for xdotool search --onlyvisible --name "^Can't register main hotkey\$"
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name "^Can't register main hotkey\$" | head -1)" 2>/dev/null
keys Return
check "the second bar runs on without the key" wait_for grep -qx 'hotkeys: none' "$second/trace.txt"
check "the first bar keeps F11" grep -q '^hotkeys: 0:122:0' "$dir/trace.txt"
finish
