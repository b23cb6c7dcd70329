#!/bin/sh
# Installs the build into a throw-away prefix (with a space in its name) and checks that the
# installed game is complete, registers its file type and starts from anywhere.
# Usage: install_into_prefix.sh <build dir> <source dir> <version>
set -eu
build=$1
source=$2
version=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM
tmp=$(cd -P "$tmp" && pwd -P)
prefix="$tmp/pre fix"
export XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" QT_QPA_PLATFORM=offscreen

cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 ||
  { cat "$tmp/install.log" >&2; fail "cmake --install"; }

# Program and every data file side by side, as the program looks for them next to itself.
lib="$prefix/lib/quillbury"
[ -x "$lib/quillbury" ] || fail "program missing from lib/quillbury"
[ -x "$prefix/bin/quillbury" ] || fail "launcher missing from bin"
(cd "$source/assets" && find . -type f \( -name database.dat -o -name '*.lang' -o -name '*.wav' \
  -o -path './pictures/*.svg' \)) >"$tmp/assets"
[ "$(grep -c . "$tmp/assets")" -gt 10 ] || fail "too few assets found in the source tree"
while IFS= read -r f; do
  [ -f "$lib/$f" ] || fail "data file $f missing from lib/quillbury"
done <"$tmp/assets"
for f in help/RULES.md help/RULES.da.md; do
  [ -f "$lib/$f" ] || fail "$f missing from lib/quillbury"
done
for f in share/applications/example.pellmark.Quillbury.desktop share/mime/packages/quillbury.xml \
         share/metainfo/example.pellmark.Quillbury.metainfo.xml \
         share/icons/hicolor/scalable/apps/quillbury.svg; do
  [ -f "$prefix/$f" ] || fail "$f missing"
done

# Bitmap icons come from a helper built with the window; when built, they must be the right size.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $3*256+$4 "x" $7*256+$8 }'; }
if [ -x "$build/packaging/quillbury-render-icon" ]; then
  for s in 48 256; do
    png="$prefix/share/icons/hicolor/${s}x${s}/apps/quillbury.png"
    [ -f "$png" ] || fail "icon $png missing"
    [ "$(png_size "$png")" = "${s}x${s}" ] || fail "icon $png is $(png_size "$png"), not ${s}x${s}"
  done
fi

if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$prefix/share/applications/example.pellmark.Quillbury.desktop" ||
    fail "desktop-file-validate"
else
  echo "SKIP: desktop-file-validate not installed (package desktop-file-utils)"
fi

# The software-centre entry is valid AppStream and names the menu entry it belongs to.
if command -v appstreamcli >/dev/null 2>&1; then
  metainfo="$prefix/share/metainfo/example.pellmark.Quillbury.metainfo.xml"
  appstreamcli validate --no-net "$metainfo" >"$tmp/appstream.log" 2>&1 ||
    { cat "$tmp/appstream.log" >&2; fail "appstreamcli validate"; }
  grep -q '<launchable type="desktop-id">example.pellmark.Quillbury.desktop</launchable>' "$metainfo" ||
    fail "the metainfo does not name the desktop entry"
else
  echo "SKIP: appstreamcli not installed (package appstream)"
fi

# The type file compiles, and both the name and the content of a saved game identify it.
if command -v update-mime-database >/dev/null 2>&1; then
  update-mime-database "$prefix/share/mime" >"$tmp/mime.log" 2>&1 ||
    { cat "$tmp/mime.log" >&2; fail "update-mime-database"; }
  grep -q '^[0-9]*:application/x-quillbury-game:\*\.qbgame$' "$prefix/share/mime/globs2" ||
    fail "*.qbgame does not map to application/x-quillbury-game in globs2"
  grep -q '^ QuillburyGame application/x-quillbury-game$' "$prefix/share/mime/XMLnamespaces" ||
    fail "root element QuillburyGame does not map to application/x-quillbury-game"
else
  echo "SKIP: update-mime-database not installed (package shared-mime-info)"
fi

# A desktop that reads only this prefix offers the game as the default for its saved games,
# which is what a double-click in a file manager uses.
if command -v update-mime-database >/dev/null 2>&1 && command -v update-desktop-database >/dev/null 2>&1 &&
   command -v gio >/dev/null 2>&1; then
  update-desktop-database "$prefix/share/applications" || fail "update-desktop-database"
  out=$(PATH="$prefix/bin:$PATH" XDG_DATA_DIRS="$prefix/share" XDG_CONFIG_DIRS="$tmp/none" \
        gio mime application/x-quillbury-game 2>&1) || fail "gio mime: $out"
  echo "$out" | grep -q '^Default application .*example\.pellmark\.Quillbury\.desktop' ||
    fail "the game is not the default application for its saved games: $out"
else
  echo "SKIP: default application check needs update-desktop-database and gio"
fi

# The help and the version are printed without a display: a platform that needs one would abort.
nodisplay="env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb"
out=$(cd / && $nodisplay "$prefix/bin/quillbury" --version 2>&1) || fail "--version exited with an error: $out"
case $out in
  *"$version"*) ;;
  *) fail "--version printed '$out', expected $version" ;;
esac
out=$(cd / && $nodisplay "$prefix/bin/quillbury" --help 2>&1) || fail "--help exited with an error: $out"
case $out in
  *"--seed"*) ;;
  *) fail "--help printed '$out', expected the options" ;;
esac

# Started through a symlink in another folder, with a saved game named relative to the
# current folder: the program must find its data and open that game.
mkdir -p "$tmp/some bin" "$tmp/my games"
ln -s "$prefix/bin/quillbury" "$tmp/some bin/qb"
cp "$source/fuzz/corpus/game/default-game.qbgame" "$tmp/my games/first game.qbgame"
out=$(cd "$tmp/my games" && QUILLBURY_MEASURE=0.5 timeout 30 "$tmp/some bin/qb" "first game.qbgame" 2>&1) ||
  { echo "$out" >&2; fail "installed game did not start and quit cleanly"; }
echo "$out" | grep -q '^first-paint-ms ' || { echo "$out" >&2; fail "no first paint"; }
echo "$out" | grep -qxF "loaded-game $tmp/my games/first game.qbgame" ||
  { echo "$out" >&2; fail "the saved game given on the command line was not shown"; }
echo "installed game OK"
