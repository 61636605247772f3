#!/usr/bin/env bash
# Speed and footprint of the bar on a virtual X server with openbox, beside
# a minimal Qt 6 dock measured the same way in the same run. Median of 5:
#   start   ms from exec until the dock is in the window manager's client list
#   pss     proportional memory (kB) 2 s after start
#   cpu     CPU time (ms) used over 10 s while idle
#   f11     ms from "xdotool key F11" (its own start-up included) until the
#           window manager has made the bar the active window, from an xterm
#   key     ms from "xdotool type n" until the bar's trace shows the completed
#           text (the bar only: the minimal dock completes nothing)
# Usage: bench/x11/run.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-${ZINDLE_BUILD_DIR:-$root/build}}
tools=$build/bench-x11
mkdir -p "$tools"
flags=$(pkg-config --cflags --libs Qt6Widgets xcb)
g++ -O2 -std=c++20 -fPIC -o "$tools/bench_probe" "$root/bench/x11/bench_probe.cpp" $(pkg-config --cflags --libs xcb)
g++ -O2 -std=c++20 -fPIC -o "$tools/minimal_dock" "$root/bench/x11/minimal_dock.cpp" $flags
export ZINDLE_BIN=$build/src/frontends/qt/zindle
source "$root/tests/x11/x11_session.sh"
x11_start
xterm -geometry 80x24+100+100 &
x11_pids+=($!)
wait_for xdotool search --onlyvisible --class xterm
term=$(xdotool search --onlyvisible --class xterm | head -1)

median() { sort -n | awk '{v[NR]=$1} END{print v[int((NR+1)/2)]}'; }
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

measure() {  # NAME PROGRAM [ARGS...]: one round, appending to $tools/NAME.*
  local name=$1 dir=$session_dir/$1
  shift
  rm -rf "$dir" && mkdir -p "$dir"
  cp "$1" "$dir/"
  local program=$dir/$(basename "$1")
  [ "$name" = zindle ] && cp "$session_dir/zindle.ini" "$session_dir/history.ini" "$dir/"
  shift
  read -r ms pid < <(cd "$dir" && "$tools/bench_probe" map "$program" "$@")
  echo "$ms" >>"$tools/$name.start"
  sleep 2
  awk '/^Pss:/{print $2}' "/proc/$pid/smaps_rollup" >>"$tools/$name.pss"
  local before=$(ticks "$pid")
  sleep 10
  echo $((($(ticks "$pid") - before) * 1000 / hz)) >>"$tools/$name.cpu"
  local bar
  bar=$(xdotool search --onlyvisible --name '^(Zindle|Minimal dock)$' | while read -r id; do
    xprop -id "$id" _NET_WM_WINDOW_TYPE | grep -q DOCK && echo "$id"; done | head -1)
  xdotool windowactivate --sync "$term" 2>/dev/null; sleep 0.3
  "$tools/bench_probe" focus "$bar" xdotool key F11 >>"$tools/$name.f11"
  sleep 0.5
  if [ -f "$dir/trace.txt" ]; then
    "$tools/bench_probe" grows "$dir/trace.txt" xdotool type n >>"$tools/$name.key"
    sleep 0.5
  fi
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

rm -f "$tools"/*.start "$tools"/*.pss "$tools"/*.cpu "$tools"/*.f11 "$tools"/*.key
printf '[cmds]\nnet=%%%%msg net\n' >"$session_dir/zindle.ini"
printf '[history]\ncount=1\n1=net\n' >"$session_dir/history.ini"
for round in 1 2 3 4 5; do
  measure minimal "$tools/minimal_dock"
  measure zindle "$ZINDLE_BIN" --trace trace.txt
done

printf '%-8s %10s %10s %10s %10s %10s\n' "" "start ms" "PSS kB" "idle CPU ms" "F11 ms" "key ms"
for name in zindle minimal; do
  key=-; [ -s "$tools/$name.key" ] && key=$(median <"$tools/$name.key")
  printf '%-8s %10s %10s %10s %10s %10s\n' "$name" "$(median <"$tools/$name.start")" "$(median <"$tools/$name.pss")" \
    "$(median <"$tools/$name.cpu")" "$(median <"$tools/$name.f11")" "$key"
done
