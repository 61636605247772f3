#!/usr/bin/env bash
# Runs zindle.exe on a virtual X server inside a Wine desktop and drives it
# with xdotool as a person would, checking what the trace file and the
# program directory show. Screenshots go to OUT for a person to look at.
#   smoke.sh ZINDLE_EXE SOURCE_DIR OUT
# Needs WINEPREFIX (an initialised prefix of this user) in the environment.
set -euo pipefail
exe=$(realpath "$1") source=$(realpath "$2") out=$(realpath -m "$3")
# What a shutdown sends, built beside the program.
messenger=$(realpath "$(dirname "$exe")/../../../tests/windows/session_message.exe")
# A folder name outside ASCII: paths cross to Windows as UTF-16.
app=$out/prógram
rm -rf "$out" && mkdir -p "$app"
cp "$exe" "$app/" && cp -r "$source/skins" "$app/"
trace=$app/trace.txt
source "$(dirname "$0")/wine_session.sh"
wine_session "$out"

has_line() { grep -qxF -- "$1" "$trace" 2>/dev/null; }
wait_line() {  # wait_line LINE [SECONDS]
  local deadline=$((SECONDS + ${2:-15}))
  while ! has_line "$1"; do [ $SECONDS -ge "$deadline" ] && return 1; sleep 0.01; done
}
shot() { import -window root "$out/$1.png"; }
command_box() {  # clicks into the command box, wherever the bar is docked
  local y=$1
  xdotool mousemove 100 "$y" click 1
  sleep 0.3
}
# Types a line and Enter, then waits until the bar has taken it (the box is
# emptied) and its status effect has run: keys typed meanwhile would reach
# the box while the effect lets messages run, as they would for a person.
type_line() {
  local before
  before=$(grep -cxF 'command: ' "$trace" || true)
  xdotool type --delay 30 -- "$1"
  xdotool key Return
  local deadline=$((SECONDS + 15))
  while [ "$(grep -cxF 'command: ' "$trace" || true)" -le "$before" ] && [ $SECONDS -lt $deadline ]; do sleep 0.05; done
  sleep 2
}
windows_path() { echo "Z:${1//\//\\}"; }

# Start-up: the bar is shown docked at the bottom at the base skin's 21 pixels.
wineserver -p 60 && timeout 30 wine cmd /c exit >/dev/null 2>&1 || true
start=$(date +%s%N)
(cd "$app" && timeout 300 wine explorer /desktop=zindle,1024x768 zindle.exe --trace "$(windows_path "$trace")" \
  >/dev/null 2>&1 &)
deadline=$((SECONDS + 60))
until [ -e "$trace" ] || [ $SECONDS -ge $deadline ]; do sleep 0.01; done
opened=$(date +%s%N)  # the program opens its trace file at the start of wWinMain
check "the bar is shown docked at the bottom, 21 pixels high" wait_line "window: 0 747 1024 768" 60
shown=$(date +%s%N)
{ echo "start to shown: $(((shown - start) / 1000000)) ms with Wine's desktop starting," \
       "$(((shown - opened) / 1000000)) ms from the program opening its trace file"; } | tee "$out/figures.txt"
check "F11 is registered on the bar" wait_line "hotkeys: 0:122:0"
sleep 1 && shot 1-docked-bottom

# The idle bar's private memory, as Linux counts the Wine process running
# zindle.exe (the largest of this prefix's processes naming it: the others
# are the timeout and wine launchers).
sleep 2
for p in $(pgrep -f 'zindle.exe --trace' || true); do
  tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
  awk '/^Private_(Clean|Dirty)/ {kb += $2} END {print kb}' "/proc/$p/smaps_rollup" 2>/dev/null
done | sort -n | tail -1 | sed 's/^/idle private memory (kB): /' | tee -a "$out/figures.txt"

# Typed commands: a word saved, then run.
command_box 757
type_line "%%save greet %%msg Hello from the saved word"
type_line "greet"
check "the saved word runs" wait_line "status: Hello from the saved word"

# A message box with its title, closed with Enter.
xdotool type --delay 30 -- "%%msgbox Smoke test box"
xdotool key Return
check "%%msgbox shows its box" wait_line "msgbox: Zindle Script Message | Smoke test box | information | ok"
sleep 1 && shot 2-message-box
xdotool key Return
sleep 2
# Answered, the box gives the keyboard back to the command box.
xdotool type --delay 30 -- "typed after the box"
check "typing after the box reaches the command box" wait_line "command: typed after the box"
shot 2-after-message-box
xdotool key Escape

# %%up docks the bar at the top.
command_box 757
type_line "%%up"
check "%%up docks the bar at the top" wait_line "window: 0 0 1024 21"
sleep 1 && shot 3-docked-top

# A sample skin changes what the bar looks like.
command_box 10
type_line "%%skin midnight"
sleep 2 && shot 4-skin-midnight
check "the skin changes the picture" \
  test "$(compare -metric AE "$out/3-docked-top.png" "$out/4-skin-midnight.png" null: 2>&1 || true)" != 0

# A second start without /multi refuses to run; Enter closes its box and
# that copy ends. (On the same Wine desktop: a window of its own would have
# no frame, nor the focus, on a server without a window manager.)
second=$app/second-trace.txt
(cd "$app" && timeout 60 wine explorer /desktop=zindle,1024x768 zindle.exe --trace "$(windows_path "$second")" \
  >/dev/null 2>&1 &)
deadline=$((SECONDS + 30))
until grep -q '^msgbox: Zindle Already Running' "$second" 2>/dev/null || [ $SECONDS -ge $deadline ]; do sleep 0.1; done
check "a second start shows Zindle Already Running" grep -q '^msgbox: Zindle Already Running | ' "$second"
sleep 1 && shot 5-already-running
xdotool key Return
deadline=$((SECONDS + 15))
until grep -qx 'exit' "$second" 2>/dev/null || [ $SECONDS -ge $deadline ]; do sleep 0.1; done
check "the second copy ends when its box is closed" grep -qx 'exit' "$second"

# Ctrl+Backspace in the real box takes the last word back and types nothing.
command_box "$(grep -q 'window: 0 0 ' "$trace" && echo 10 || echo 757)"
xdotool type --delay 30 -- "abc def"
xdotool key ctrl+BackSpace
check "Ctrl+Backspace deletes a word" wait_line "command: abc " 10
xdotool key ctrl+a BackSpace
sleep 0.5

# --activate brings the running bar forward with the focus in its box, and
# that copy ends without a box of its own.
xdotool mousemove 500 400 click 1  # the desktop takes the focus
sleep 0.5
activate=$app/activate-trace.txt
(cd "$app" && timeout 60 wine explorer /desktop=zindle,1024x768 zindle.exe --trace "$(windows_path "$activate")" \
  --activate >/dev/null 2>&1 &)
deadline=$((SECONDS + 30))
until grep -qx 'exit' "$activate" 2>/dev/null || [ $SECONDS -ge $deadline ]; do sleep 0.1; done
check "zindle.exe --activate ends at once" test "$(cat "$activate" 2>/dev/null)" = exit
sleep 1
xdotool type --delay 30 -- "xyz"
check "after --activate the keys go to the command box" wait_line "command: xyz" 10
xdotool key ctrl+a BackSpace
sleep 0.5

# --autostart writes and removes the sign-in entry.
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
(cd "$app" && timeout 60 wine zindle.exe --autostart on >/dev/null 2>&1)
check "--autostart on writes the Run value" bash -c "wine reg query '$run_key' /v Zindle 2>/dev/null | grep -qi 'zindle.exe'"
(cd "$app" && timeout 60 wine zindle.exe --autostart off >/dev/null 2>&1)
check "--autostart off removes it" bash -c "! wine reg query '$run_key' /v Zindle 2>/dev/null | grep -qi 'zindle.exe'"

# %%quit leaves the settings and the history written.
command_box "$(grep -q 'window: 0 0 ' "$trace" && echo 10 || echo 757)"
type_line "%%quit"
check "%%quit ends the program" wait_line "exit" 20
check "zindle.ini is written" grep -q '^greet=%%msg Hello from the saved word' "$app/zindle.ini"
check "history.ini is written" grep -qi 'greet' "$app/history.ini"

# A warm start (Wine's server already running) until the bar is shown.
third=$app/third-trace.txt
start=$(date +%s%N)
(cd "$app" && timeout 120 wine explorer /desktop=zindle,1024x768 zindle.exe --trace "$(windows_path "$third")" \
  >/dev/null 2>&1 &)
trace=$third
if wait_line "window: 0 0 1024 24" 60; then
  echo "warm start to shown: $((($(date +%s%N) - start) / 1000000)) ms" | tee -a "$out/figures.txt"
fi
sleep 1
command_box 10
type_line "%%quit"
check "the warm start ends with %%quit" wait_line "exit" 20
trace=$app/trace.txt

# The end of a session, sent as a shutdown sends it: the question saves
# everything and keeps the bar; a cancelled shutdown leaves it docked; the
# end itself ends it as the exit button does.
session() { (cd "$app" && timeout 60 wine "$messenger" zindle "$1") || true; }
# A word added as Notepad saves: UTF-8 without a byte order mark.
sed -i '/^\[cmds\]/a home=%%msg C:\\Users\\Jürgen' "$app/zindle.ini"
trace=$app/session-trace.txt
(cd "$app" && timeout 120 wine explorer /desktop=zindle,1024x768 zindle.exe --trace "$(windows_path "$trace")" \
  >/dev/null 2>&1 &)
wait_line "window: 0 0 1024 24" 60 || true
sleep 1
command_box 10
type_line "home"
check "a word from a UTF-8 zindle.ini keeps its accents" wait_line 'status: C:\Users\Jürgen'
command_box 10
type_line "%%msg before the question"
answers=$(session query | tr -d '\r')
check "every window answers yes to the question" bash -c "[ -n '$answers' ] && ! grep -qvx 'answer 1' <<<'$answers'"
check "the question saves the history" grep -q 'before the question' "$app/history.ini"
check "the question saves the edge" grep -qx 'edge=t' <(tr -d '\r' <"$app/zindle.ini")
session cancel >/dev/null
sleep 1
check "a cancelled shutdown leaves the bar running" bash -c "! grep -qx exit '$trace'"
command_box 10
type_line "%%msg after the cancel"
check "the bar still takes commands" wait_line "status: after the cancel"
session end >/dev/null
check "the end of the session ends the bar" wait_line "exit" 20
check "and leaves the history written" grep -q 'after the cancel' "$app/history.ini"
trace=$app/trace.txt

# A script test of the headless front end, its lines typed into the real
# bar: the trace must hold the lines of its .expected file. Left out of the
# comparison: command: (each key typed shows), clock: and the first status
# (the headless run prints them only when they change from the start), and
# what %%quit adds to end the run.
replay_script() {
  local name=$1 dir=$out/$1
  mkdir -p "$dir" && cp "$exe" "$dir/"
  [ -f "$source/tests/e2e/$name.ini" ] && cp "$source/tests/e2e/$name.ini" "$dir/zindle.ini"
  trace=$dir/trace.txt
  (cd "$dir" && timeout 120 wine explorer /desktop=zindle,1024x768 zindle.exe --trace "$(windows_path "$trace")" \
    >/dev/null 2>&1 &)
  wait_line "$(grep '^hotkeys: ' "$source/tests/e2e/$name.expected" | head -1)" 60 || true
  local y
  y=$(grep -q '^window: 0 0 ' "$trace" && echo 10 || echo 757)
  while IFS= read -r line; do
    command_box "$y"
    type_line "${line#run }"
  done < <(grep '^run ' "$source/tests/e2e/$name.script")
  command_box "$y"
  type_line "%%quit"
  wait_line "exit" 20 || true
  sed '/^status: -- Quitting, saving History --$/,$d' "$trace" | grep -vE '^(command|clock): ' |
    sed '1{/^status: \.$/d}' >"$dir/actual.txt"
  grep -vx 'exit' "$source/tests/e2e/$name.expected" >"$dir/expected.txt"
  trace=$app/trace.txt
  diff -u "$dir/expected.txt" "$dir/actual.txt"
}
check "the script test edge_capital gives its expected lines on the real bar" replay_script edge_capital

# A copy the installer put in place keeps its files in %APPDATA%\Zindle,
# which its first start fills with the sample skins and the guide: no box
# about a missing skin, and "readme" opens the guide from there.
installed=$out/installed
mkdir -p "$installed" && cp "$exe" "$installed/" && cp -r "$source/skins" "$installed/"
cp "$source/docs/guide.md" "$installed/readme.txt" && touch "$installed/zindle.installed"
# Windows opens .txt files in Notepad; a fresh Wine prefix has no such association.
wine reg add 'HKCR\.txt' /ve /d txtfile /f >/dev/null 2>&1 || true
rm -rf "${WINEPREFIX:-$HOME/.wine}"/drive_c/users/*/AppData/Roaming/Zindle
trace=$installed/trace.txt
(cd "$installed" && timeout 120 wine explorer /desktop=zindle,1024x768 zindle.exe --trace "$(windows_path "$trace")" \
  >/dev/null 2>&1 &)
check "an installed copy starts" wait_line "hotkeys: 0:122:0" 60
check "an installed copy starts without a box" bash -c "! grep -q '^msgbox: ' '$trace'"
command_box 757
type_line "readme"
check "readme opens the guide in %APPDATA%\Zindle" grep -qi '^open: .*\\AppData\\Roaming\\Zindle\\readme.txt$' "$trace"
# The folder as the program named it, not as an environment variable may.
guide=$(grep -i '^open: .*\\readme.txt$' "$trace" | head -1 | sed 's/^open: //')
appdata=$(dirname "$(winepath -u "$guide" 2>/dev/null)")
echo "installed copy's folder: $appdata"
check "its first start seeds the skins and the guide there" \
  test -n "$guide" -a -f "$appdata/skins/midnight/skin.ini" -a -f "$appdata/readme.txt"
# Notepad, showing the guide, would take the clicks meant for the bar.
pkill -f -i 'notepad\.exe' || true
sleep 1
command_box 757
type_line "%%quit"
check "the installed copy ends with %%quit" wait_line "exit" 20
check "the installed copy keeps its settings there" test -n "$guide" -a -f "$appdata/zindle.ini" -a ! -e "$installed/zindle.ini"
echo "trace of the installed copy:" && sed 's/^/  /' "$trace"
trace=$app/trace.txt

echo "trace of the run:" && sed 's/^/  /' "$trace"
[ "$failures" -eq 0 ] && echo "smoke run passed" || { echo "smoke run: $failures failed"; exit 1; }
