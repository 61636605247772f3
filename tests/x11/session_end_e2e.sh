#!/usr/bin/env bash
# Nothing lost, nothing frozen, on a real X server. One run at a time: keys
# typed while a line runs wait for it. Then the end of a session, four ways,
# each in its own run after typing commands, changing an option and swapping
# the edge: SIGTERM and SIGHUP end the bar as its exit button does (strip
# given back), kill -9 and a killed X server end it at once; in every case
# the restarted bar has the history, the option and the edge.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x11_session.sh"
x11_start

ini='[cfg]\nsplash=0\n[cmds]\nhi=%%%%msg hello\n$fallback=%%%%msg fb\nloop=loop\nabc=%%%%msg abc ran\n'


dir=$session_dir/runs
mkdir -p "$dir" && printf "$ini" >"$dir/zindle.ini"
zindle_start "$dir" || { echo "FAIL the bar did not dock"; exit 1; }
sleep 0.5
keys F11
start=$(wc -l <"$dir/trace.txt")
xdotool type --delay 40 loop && xdotool key Return && xdotool type --delay 40 abc && xdotool key Return
check "a runaway line ends at the nesting limit" wait_for grep -qx 'status: Too Much Recursion!' "$dir/trace.txt"
check "then the line typed meanwhile runs" wait_for grep -qx 'status: abc ran' "$dir/trace.txt"
check "nothing was confused" sh -c "! grep -q 'Confused' '$dir/trace.txt'"
sleep 1
start=$(wc -l <"$dir/trace.txt")
xdotool type --delay 40 hi && xdotool key Return && xdotool type --delay 40 abc
check "hi runs as typed at Enter" wait_for grep -qx 'status: hello' "$dir/trace.txt"
sleep 1.5
check "the fallback never ran" sh -c "! tail -n +$((start + 1)) '$dir/trace.txt' | grep -q 'fb'"
check "abc waits in the box" test "$(tail -n +"$((start + 1))" "$dir/trace.txt" | grep '^command: ' | tail -1)" = "command: abc"
shot one_run
kill -TERM "$zindle_pid"; wait "$zindle_pid" 2>/dev/null

# ROUND NAME HOW: types two commands, sets the OK text, swaps to the top
# edge; ends the bar HOW; restarts it and checks what it kept.
round() {
  local name=$1 how=$2 rdir=$session_dir/$1 status
  mkdir -p "$rdir" && printf "$ini" >"$rdir/zindle.ini"
  zindle_start "$rdir" || { check "$name: the bar docks" false; return; }
  sleep 0.5
  run_in_bar "hi"
  run_in_bar "abc"
  run_in_bar "%%setvar _OK_TEXT Kept over $name"
  xdotool mousemove 12 757 click 1
  check "$name: the bar moved to the top" wait_for test "$(work_area)" = "0, 21, 1024, 747"
  sleep 0.5
  case $how in
    TERM | HUP)
      kill -"$how" "$zindle_pid"; wait "$zindle_pid"; status=$?
      check "$name: the bar ends normally" test "$status" -eq 0
      check "$name: the strip is given back" wait_for test "$(work_area)" = "0, 0, 1024, 768"
      check "$name: the bar wrote its quitting message" grep -qx 'status: -- Quitting, saving History --' "$rdir/trace.txt" ;;
    KILL)
      kill -9 "$zindle_pid"; wait "$zindle_pid" 2>/dev/null ;;
    X)
      kill "${x11_pids[0]}"; wait "$zindle_pid" 2>/dev/null
      x11_pids=("${x11_pids[@]:2}")
      x11_start ;;
  esac
  check "$name: history.ini holds the commands" grep -qz 'count=2.1=abc.2=hi' "$rdir/history.ini"
  check "$name: zindle.ini holds the option and the edge" \
    sh -c "grep -qx 'okmsg=Kept over $name' '$rdir/zindle.ini' && grep -qx 'edge=t' '$rdir/zindle.ini'"
  zindle_start "$rdir" || { check "$name: the bar docks again" false; return; }
  check "$name: it docks at the top again" wait_for test "$(work_area)" = "0, 21, 1024, 747"
  sleep 0.5
  keys F11
  type_text "h"
  check "$name: typing offers the history" wait_for grep -qx 'command: hi \[1+1\]' "$rdir/trace.txt"
  kill -TERM "$zindle_pid"; wait "$zindle_pid" 2>/dev/null
}

round sigterm TERM
round sighup HUP
round sigkill KILL
round xkilled X
finish
