#!/usr/bin/env bash
# The per-user installer under Wine: a silent install, the bar started from
# where it went, a silent uninstall that keeps the user's settings, and one
# that removes them when told to.
#   installer.sh SETUP_EXE OUT
# Needs WINEPREFIX (an initialised prefix of this user) in the environment.
set -euo pipefail
setup=$(realpath "$1") out=$(realpath -m "$2")
rm -rf "$out" && mkdir -p "$out"
source "$(dirname "$0")/wine_session.sh"
wine_session "$out"
wineserver -p 60 && timeout 30 wine cmd /c exit >/dev/null 2>&1 || true

unix_path() { winepath -u "$(wine cmd /c echo "$1" 2>/dev/null | tr -d '\r')"; }
has_key() { wine reg query "$1" >/dev/null 2>&1; }
wait_gone() {  # the uninstaller runs on from a copy of itself in %TEMP%
  local deadline=$((SECONDS + 30))
  while [ -e "$1" ] && [ $SECONDS -lt $deadline ]; do sleep 0.2; done
  [ ! -e "$1" ]
}

programs=$(unix_path '%LOCALAPPDATA%')/Programs/Zindle
settings=$(unix_path '%APPDATA%')/Zindle
shortcut=$(unix_path '%APPDATA%')/Microsoft/Windows/Start\ Menu/Programs/Zindle.lnk
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zindle'
settings_key='HKCU\Software\Orvane\Zindle'
rm -rf "$programs" "$settings"

timeout 120 wine "$setup" /S
check "the program, its skins, guide and marker are installed per user" \
  test -f "$programs/zindle.exe" -a -f "$programs/skins/midnight/skin.ini" -a -f "$programs/readme.txt" \
  -a -f "$programs/zindle.installed" -a -f "$programs/uninstall.exe"
check "a Start-menu entry" test -f "$shortcut"
check "an entry in Apps & features" has_key "$uninstall_key"

# The bar from where it was installed: its files go to %APPDATA%\Zindle.
trace=$out/trace.txt
# (Started from elsewhere: Wine's desktop process would keep its current
# folder, which then could not be removed.)
(cd "$out" && timeout 120 wine explorer /desktop=zindle,1024x768 "$(winepath -w "$programs/zindle.exe")" \
  --trace "$(winepath -w "$trace")" >/dev/null 2>&1 &)
deadline=$((SECONDS + 60))
until grep -q '^hotkeys: ' "$trace" 2>/dev/null || [ $SECONDS -ge $deadline ]; do sleep 0.1; done
check "the installed bar starts without a box" bash -c "grep -q '^hotkeys: ' '$trace' && ! grep -q '^msgbox: ' '$trace'"
sleep 1 && import -window root "$out/installed-bar.png"
xdotool mousemove 100 757 click 1 && sleep 0.3
xdotool type --delay 30 -- "%%quit" && xdotool key Return
deadline=$((SECONDS + 30))
until grep -qx 'exit' "$trace" 2>/dev/null || [ $SECONDS -ge $deadline ]; do sleep 0.1; done
check "its settings are in %APPDATA%\\Zindle" test -f "$settings/zindle.ini" -a ! -e "$programs/zindle.ini"

timeout 60 wine "$programs/uninstall.exe" /S
check "the uninstaller removes the program" wait_gone "$programs"
check "and its Start-menu entry and Apps & features entry" \
  bash -c "[ ! -e '$shortcut' ] && ! wine reg query '$uninstall_key' >/dev/null 2>&1"
check "a silent uninstall keeps the user's settings" test -f "$settings/zindle.ini"

timeout 120 wine "$setup" /S
wine reg add "$settings_key" /ve /t REG_BINARY /d 00 /f >/dev/null 2>&1
timeout 60 wine "$programs/uninstall.exe" /S /REMOVESETTINGS
wait_gone "$programs" || true
check "/REMOVESETTINGS removes the settings folder" wait_gone "$settings"
check "and the registry block" bash -c "! wine reg query '$settings_key' >/dev/null 2>&1"

[ "$failures" -eq 0 ] && echo "installer run passed" || { echo "installer run: $failures failed"; exit 1; }
