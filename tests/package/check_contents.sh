#!/usr/bin/env bash
# Lists what is missing from an installed tree: the program, its help page, the desktop
# entry (which starts the game on the desktop's data folder), every icon size and the
# metainfo, whose release must be the project's version.
set -uo pipefail
tree="$1" id="$2" version="$3"
failed=0
need() {
  if [ ! -s "$tree/$1" ]; then
    echo "missing: $1"
    failed=1
  fi
}
need bin/kumoji
[ -x "$tree/bin/kumoji" ] || { echo "not executable: bin/kumoji"; failed=1; }
need share/kumoji/Tozan01.html
need "share/applications/$id.desktop"
need "share/metainfo/$id.metainfo.xml"
for size in 16 22 24 32 48 64 128 256; do
  need "share/icons/hicolor/${size}x${size}/apps/kumoji.png"
done
# The menu starts the game on the desktop's data folder, and the option is the program's own.
grep -qx 'Exec=kumoji --desktop-data' "$tree/share/applications/$id.desktop" 2>/dev/null ||
  { echo "the desktop entry does not pass --desktop-data"; failed=1; }
QT_QPA_PLATFORM=offscreen "$tree/bin/kumoji" --help 2>/dev/null | grep -q -- '--desktop-data' ||
  { echo "kumoji --help does not list --desktop-data"; failed=1; }
grep -q "<release version=\"$version\"" "$tree/share/metainfo/$id.metainfo.xml" 2>/dev/null ||
  { echo "metainfo has no release $version"; failed=1; }
exit $failed
