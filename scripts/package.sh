#!/usr/bin/env bash
# Builds the game and its Debian package in ./build and checks that the package holds the
# program, the help page, the desktop entry, the icons and the metainfo.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc 2>/dev/null || echo 2)" --target kumoji
(cd build && cpack -G DEB)
deb=$(ls -t build/kumoji_*.deb | head -n 1)
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
id=io.github.kumoji.kumoji
missing=0
for f in usr/bin/kumoji usr/share/kumoji/Tozan01.html "usr/share/applications/$id.desktop" \
  usr/share/icons/hicolor/256x256/apps/kumoji.png usr/share/icons/hicolor/16x16/apps/kumoji.png \
  "usr/share/metainfo/$id.metainfo.xml"; do
  grep -qx "\./$f" <<<"$contents" || { echo "not in $deb: $f"; missing=1; }
done
[ $missing -eq 0 ] || exit 1
dpkg-deb -f "$deb" Package Version Depends
echo "$deb"
