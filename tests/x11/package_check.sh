#!/usr/bin/env bash
# The Debian package of the Linux program: what cpack puts in it, and what
# it depends on. Usage: package_check.sh BUILD_DIR
set -uo pipefail
build=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0
check() {
  local name=$1
  shift
  if "$@"; then echo "ok   $name"; else echo "FAIL $name"; failures=$((failures + 1)); fi
}

(cd "$build" && cpack -G DEB -B "$out" >/dev/null) || { echo "FAIL cpack made no package"; exit 1; }
deb=$(ls "$out"/zindle_*.deb)
dpkg-deb -c "$deb" | awk '{print $6}' >"$out/contents"
has() { grep -qx "./usr/$1" "$out/contents"; }
check "the program is in bin/" has bin/zindle
check "the sample skins are under share/zindle/" has share/zindle/skins/midnight/skin.ini
check "the paper skin's pictures come along" has share/zindle/skins/paper/tile.bmp
check "the menu entry is under share/applications/" has share/applications/zindle.desktop
check "the icon is installed" has share/icons/hicolor/scalable/apps/zindle.svg
if [ -f "$root/docs/guide.md" ]; then
  check "the guide is share/zindle/readme.txt" has share/zindle/readme.txt
fi
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libxcb1 libcanberra0 fonts-liberation2 xdg-utils; do
  check "the package depends on $package" grep -q "$package" <<<"$depends"
done
dpkg-deb -x "$deb" "$out/root"
check "the menu entry starts zindle" grep -qx 'Exec=zindle' "$out/root/usr/share/applications/zindle.desktop"
[ "$failures" -eq 0 ]
