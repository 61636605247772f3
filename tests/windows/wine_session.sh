# Sourced by the scripts that drive Windows programs under Wine: a virtual X
# server for OUT (its display number kept in OUT/display), Wine quiet and
# without the .NET and HTML runtimes, everything ended on exit, and check.
#   wine_session OUT
#   check DESCRIPTION COMMAND...   runs COMMAND, reports it, counts failures
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
failures=0

wine_session() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$1/display" 2>/dev/null &
  xvfb=$!
  trap 'timeout 20 wineserver -k 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true' EXIT
  for _ in $(seq 100); do [ -s "$1/display" ] && break; sleep 0.05; done
  export DISPLAY=:$(cat "$1/display")
}

check() {
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
