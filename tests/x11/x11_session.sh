# Sourced by the end-to-end scripts: a virtual X server with openbox (kept
# from resetting when its last client leaves, which would drop the root
# window's properties), and the
# real bar in a fresh program directory. Every process started here is ended
# by its own PID when the script exits.
#
#   x11_start [DPI] [WxH]   Xvfb (1024x768 unless given) and openbox; exports DISPLAY
#   zindle_start DIR [ARGS] copies the program into DIR and starts it there
#                           (with $ZINDLE_PATH as its PATH when set), tracing
#                           to DIR/trace.txt; waits for its dock
#   wait_for CMD...         retries CMD for up to 10 s
#   shot NAME               saves the screen as $E2E_SHOTS/NAME.png

x11_pids=()
session_dir=$(mktemp -d)
E2E_SHOTS=${E2E_SHOTS:-$session_dir}
mkdir -p "$E2E_SHOTS"
export XDG_CONFIG_HOME=$session_dir/config XDG_RUNTIME_DIR=$session_dir/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

x11_cleanup() {
  local pid
  for ((i = ${#x11_pids[@]} - 1; i >= 0; i--)); do
    pid=${x11_pids[i]}
    { kill "$pid" && wait "$pid"; } 2>/dev/null || true
  done
  rm -rf "$session_dir"
}
trap x11_cleanup EXIT

wait_for() {
  local i
  for i in $(seq 100); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

x11_start() {
  local dpi=${1:-96} size=${2:-1024x768}
  local display_file
  display_file=$(mktemp "$session_dir/display.XXXX")
  Xvfb -displayfd 3 -screen 0 "${size}x24" -dpi "$dpi" -nolisten tcp -noreset 3>"$display_file" 2>/dev/null &
  x11_pids+=($!)
  # -displayfd writes the number and a line break once the server is ready.
  wait_for grep -q '^[0-9]' "$display_file" || { echo "Xvfb did not start"; return 1; }
  export DISPLAY=:$(head -1 "$display_file")
  echo "Xft.dpi: $dpi" | xrdb -nocpp -merge
  openbox >/dev/null 2>&1 &
  x11_pids+=($!)
  wait_for sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || { echo "openbox did not start"; return 1; }
}

# The dock's window id, once it is mapped.
zindle_window() {
  local id
  for id in $(xdotool search --onlyvisible --name '^Zindle$' 2>/dev/null); do
    xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DOCK && { echo "$id"; return 0; }
  done
  return 1
}

zindle_start() {
  local dir=$1
  shift
  mkdir -p "$dir"
  cp "$ZINDLE_BIN" "$dir/zindle"
  (cd "$dir" && PATH=${ZINDLE_PATH:-$PATH} exec ./zindle --trace "$dir/trace.txt" "$@" >"$dir/stderr.txt" 2>&1) &
  zindle_pid=$!
  x11_pids+=($zindle_pid)
  wait_for zindle_window
}

shot() { import -window root "$E2E_SHOTS/$1.png"; }

# The work area's first four numbers: "0, 0, 1024, 747".
work_area() { xprop -root _NET_WORKAREA | sed 's/.*= //' | cut -d, -f1-4; }

failures=0
# check NAME COMMAND...: runs COMMAND and reports NAME as passed or failed.
check() {
  local name=$1
  shift
  if "$@"; then echo "ok   $name"; else echo "FAIL $name"; failures=$((failures + 1)); fi
}
finish() { [ "$failures" -eq 0 ]; }

# Keys to the focused window, one at a time, with time for the bar to answer.
keys() { xdotool key --delay 80 "$@"; sleep 0.3; }
type_text() { xdotool type --delay 80 -- "$1"; sleep 0.3; }
# F11 summons the bar; then a command line and Enter.
run_in_bar() { keys F11; type_text "$1"; keys Return; sleep 0.5; }

# The rectangle of a window as X has it: "LEFT TOP WIDTH HEIGHT".
geometry_of() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}'
}
