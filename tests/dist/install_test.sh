#!/usr/bin/env bash
# Installs the build into a fresh DESTDIR and checks that every file is there: the program,
# each picture of the source tree, the menu entry, the metadata, each icon, the manual and
# the copyright and changelog.
# Usage: install_test.sh <build dir> <source dir> <destdir>
set -euo pipefail
build=$1 src=$2 dest=$3
rm -rf "$dest"
DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null

missing=0
expect() {
  if [ ! -s "$dest/usr/$1" ]; then echo "not installed: /usr/$1"; missing=$((missing + 1)); fi
}
[ -x "$dest/usr/bin/morvane" ] || { echo "not installed: /usr/bin/morvane"; missing=$((missing + 1)); }
for f in "$src"/assets/*.bmp; do expect "share/morvane/$(basename "$f")"; done
expect share/applications/io.github.morvane.Morvane.desktop
expect share/metainfo/io.github.morvane.Morvane.metainfo.xml
while read -r icon; do expect "share/icons/hicolor/${icon#./}"; done \
  < <(cd "$src/dist/linux/icons" && find . -name '*.png')
expect share/man/man6/morvane.6.gz
expect share/doc/morvane/copyright
expect share/doc/morvane/changelog.gz
[ "$missing" -eq 0 ] || exit 1
echo "every file is installed under $dest/usr"
