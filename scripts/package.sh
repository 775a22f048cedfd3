#!/bin/bash
# Builds the Debian package with CPack from a Release build (./play's build
# folder, so after ./play it costs little) and checks it: dpkg-deb must list
# the program, the data, the menu entry, the icons and the manual page, and
# lintian must report no error (its warnings are shown). ./test runs it.
#   scripts/package.sh        -> build/package/tidewell-quest_VERSION_ARCH.deb
set -e
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${TIDEWELL_PACKAGE_BUILD:-$ROOT/build}"
OUT="$BUILD/package"

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTIDEWELL_TESTS=OFF -DTIDEWELL_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)"
rm -rf "$OUT"
(cd "$BUILD" && cpack -G DEB -B "$OUT" >/dev/null)
DEB="$(ls "$OUT"/tidewell-quest_*.deb)"

contents="$(dpkg-deb --contents "$DEB" | awk '{print $6}')"
for path in ./usr/games/tidewell \
            ./usr/share/games/tidewell-quest/dat/lvl/levels.dat ./usr/share/games/tidewell-quest/dat/gulpy.dat \
            ./usr/share/games/tidewell-quest/sfx/bubble.ogg ./usr/share/games/tidewell-quest/mus/title.ogg \
            ./usr/share/games/tidewell-quest/credits.txt ./usr/share/applications/tidewell-quest.desktop \
            ./usr/share/icons/hicolor/48x48/apps/tidewell-quest.png \
            ./usr/share/icons/hicolor/128x128/apps/tidewell-quest.png \
            ./usr/share/icons/hicolor/256x256/apps/tidewell-quest.png \
            ./usr/share/icons/hicolor/scalable/apps/tidewell-quest.svg \
            ./usr/share/man/man6/tidewell.6.gz ./usr/share/doc/tidewell-quest/copyright; do
  if ! grep -qxF "$path" <<<"$contents"; then
    echo "package: $DEB lacks $path"
    exit 1
  fi
done
dpkg-deb --field "$DEB" Depends | grep -q 'liballegro4' || { echo "package: no Allegro dependency"; exit 1; }
lintian --fail-on error "$DEB"
echo "package: $DEB"
