#!/usr/bin/env bash
# cpack -G DEB: one package whose control file names the libraries the
# program links and the fonts and GL driver it needs, holding the program,
# the book and the desktop files under /usr; the program taken out of it
# runs from there.
# Usage: test_deb_package.sh BUILD_DIR
set -euo pipefail
build="$1"
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
work="$(mktemp -d /tmp/quibo-deb-XXXXXX)"
trap 'rm -rf "$work"' EXIT
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >/dev/null)
shopt -s nullglob
debs=("$work"/quibo_*.deb)
[ "${#debs[@]}" -eq 1 ] || { echo "FAIL: expected one package, found ${#debs[@]}"; ls "$work"; exit 1; }
deb="${debs[0]}"
depends="$(dpkg-deb -f "$deb" Depends)"
# Each as a whole package name (libgl1 is not libgl1-mesa-dri); libjsoncpp,
# libplist and libssl carry their soname versions.
for needed in libsdl2-2.0-0 libsdl2-image-2.0-0 libsdl2-ttf-2.0-0 libsdl2-mixer-2.0-0 'libjsoncpp[0-9]+' \
              'libplist[0-9.-]*' libfontconfig1 libgl1 libgl1-mesa-dri 'libssl[0-9.]+' fonts-liberation2; do
  grep -Eq "(^|, )${needed}( |,|$)" <<<"$depends" || { echo "FAIL: Depends lacks $needed: $depends"; exit 1; }
done
contents="$(dpkg-deb -c "$deb")"
for f in ./usr/bin/quibo ./usr/share/quibo/String.xml ./usr/share/applications/org.quibo.Quibo.desktop \
         ./usr/share/icons/hicolor/256x256/apps/quibo.png ./usr/share/icons/hicolor/scalable/apps/quibo.svg \
         ./usr/share/metainfo/org.quibo.Quibo.metainfo.xml ./usr/share/man/man1/quibo.1; do
  grep -q " $f\$" <<<"$contents" || { echo "FAIL: the package lacks $f"; exit 1; }
done
dpkg-deb -x "$deb" "$work/root"
# Outputs are read whole before they are matched: a grep -q reading a
# pipe stops early and would end the program with SIGPIPE.
version="$("$work/root/usr/bin/quibo" --version)"
grep -q '^quibo ' <<<"$version" || { echo "FAIL: --version printed: $version"; exit 1; }
printf 'wait 0.05\n' > "$work/script.txt"
menu="$(cd / && SDL_AUDIODRIVER=dummy "$work/root/usr/bin/quibo" --simulate "$work/script.txt")"
grep -qx -- '-----------TestController----- tale -------------- !' <<<"$menu" ||
  { echo "FAIL: the packaged program did not show the main menu: $menu"; exit 1; }
echo "package ok: $(basename "$deb")"
echo "Depends: $depends"
