#!/usr/bin/env bash
# Runs one headless script test: NAME.script in a fresh program directory
# (seeded with NAME.ini as zindle.ini and NAME.history as history.ini when
# they exist), and compares what it printed with NAME.expected.
#
# Directives in the script's comment lines:
#   #@ args: ...        options for zindle-headless before the script
#   #@ files: A B ...   after the run, print each file of the program
#                       directory under a line "--- NAME"
#   #@ restart          ends the program there (as the script's end does) and
#                       starts it again in the same directory for the rest
#   #@ skins: A B ...   copy these sample skins (and NAME.skins/*, the test's
#                       own broken ones) into the program directory first
# The program directory's path is printed as $DIR.
set -euo pipefail
headless=$1
script=$(realpath "$2")
base=${script%.script}
dir=$(mktemp -d)
input=$(mktemp)
trap 'rm -rf "$dir" "$input"' EXIT

[ -f "$base.ini" ] && cp "$base.ini" "$dir/zindle.ini"
[ -f "$base.history" ] && cp "$base.history" "$dir/history.ini"

skins=$(sed -n 's/^#@ skins: //p' "$script")
repo=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$dir/skins"
for name in $skins; do cp -r "$repo/skins/$name" "$dir/skins/"; done
[ -d "$base.skins" ] && cp -r "$base.skins/." "$dir/skins/"

args=$(sed -n 's/^#@ args: //p' "$script")
files=$(sed -n 's/^#@ files: //p' "$script")

# The parts of the script between "#@ restart" lines, each run by a fresh
# process. Each part is written to a file first and given as standard input
# from there, not through a pipe: the program may end without reading all of
# its input (a refused second instance reads none), and a writer into a pipe
# would then die of SIGPIPE at random, depending on who ran first.
parts=$(awk '/^#@ restart/ {n++} END {print n+1}' "$script")
actual=$(
  cd "$dir"
  for part in $(seq 1 "$parts"); do
    awk -v want="$part" '/^#@ restart/ {n++; next} n + 1 == want' "$script" >"$input"
    # shellcheck disable=SC2086 # the args directive is a word list
    "$headless" --dir "$dir" $args <"$input" || echo "(exit status $?)"
  done
  for name in $files; do
    echo "--- $name"
    cat "$dir/$name"
  done
)
actual=${actual//$dir/\$DIR}

if ! diff -u "$base.expected" <(printf '%s\n' "$actual"); then
  echo "FAILED: $(basename "$script")" >&2
  exit 1
fi
