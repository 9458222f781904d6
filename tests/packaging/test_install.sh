#!/usr/bin/env bash
# The installed tree: cmake --install into a temporary prefix, moved away
# from where it was installed, run from another folder. The program must
# find the book beside its bin folder (a marked copy proves it is that one
# and not the source tree's), print its version, and the desktop entry and
# AppStream metadata must pass their validators.
# Usage: test_install.sh BUILD_DIR
set -euo pipefail
build="$1"
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed (tools/setup.sh installs it)"; exit 77; }
done
work="$(mktemp -d /tmp/quibo-install-XXXXXX)"
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/stage" >/dev/null
mv "$work/stage" "$work/moved"
root="$work/moved"
id=org.quibo.Quibo
for f in bin/quibo share/quibo/String.xml share/quibo/mainpage/mainpage_1.json \
         share/quibo/qovarn_3391_ver10/StringConfig.xml share/applications/$id.desktop \
         share/icons/hicolor/256x256/apps/quibo.png share/icons/hicolor/scalable/apps/quibo.svg \
         share/metainfo/$id.metainfo.xml share/man/man1/quibo.1; do
  [ -f "$root/$f" ] || { echo "FAIL: $f is not installed"; exit 1; }
done
# The PNG icon is 256 x 256 (width and height in the IHDR chunk).
size="$(od -An -tu1 -j16 -N8 "$root/share/icons/hicolor/256x256/apps/quibo.png" | tr -s ' ')"
[ "$size" = " 0 0 1 0 0 0 1 0" ] || { echo "FAIL: the PNG icon is not 256 x 256 ($size)"; exit 1; }

desktop-file-validate "$root/share/applications/$id.desktop"
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" >/dev/null || {
  appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml"; exit 1; }
grep -q '^Exec=quibo$' "$root/share/applications/$id.desktop"

version="$("$root/bin/quibo" --version)"
case "$version" in "quibo "[0-9]*) ;; *) echo "FAIL: --version printed '$version'"; exit 1 ;; esac
grep -q "release version=\"${version#quibo }\"" "$root/share/metainfo/$id.metainfo.xml" ||
  { echo "FAIL: the metadata names another release than $version"; exit 1; }

# Mark the installed book, then read it from another working folder.
sed -i 's|<string>1</string>|<string>3</string>|' "$root/share/quibo/qovarn_3391_ver10/StringConfig.xml"
printf 'wait 0.05\n' > "$work/script.txt"
out="$(cd / && SDL_AUDIODRIVER=dummy "$root/bin/quibo" --simulate "$work/script.txt")"
grep -qx -- '-----------TestController----- 3 ---------3----- !' <<<"$out" || {
  echo "FAIL: the installed program did not read its installed book:"; echo "$out"; exit 1; }
echo "installed tree ok: $version"
