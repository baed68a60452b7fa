#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop needs:
# the application folder, the command on the PATH, the menu entry and the
# icon; then starts the installed program as the menu entry would.
# Usage: install_layout_test.sh CMAKE BUILD_DIR
set -euo pipefail
cmake_command=$1
build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

"$cmake_command" --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "install: $*" >&2; exit 1; }
app="$prefix/lib/quillmoth"
for path in quillmoth quillmoth-book Settings/UIsettings.xml Settings/Themes/Parchment.thm \
            Lan/English.lan Pics/Corner/Flourish.png "我的藏书/竹林小记.txt" Help.html; do
  [ -e "$app/$path" ] || fail "missing $app/$path"
done
[ ! -e "$app/.quillmoth-shipped" ] || fail "the build's record of shipped files was installed"
[ "$(readlink "$prefix/bin/quillmoth")" = "../lib/quillmoth/quillmoth" ] || fail "bin/quillmoth is not the link"
entry="$prefix/share/applications/quillmoth.desktop"
grep -qx 'Exec=quillmoth %f' "$entry" || fail "the menu entry does not pass the file"
grep -qx 'Icon=quillmoth' "$entry" || fail "the menu entry names no icon"
[ -s "$prefix/share/icons/hicolor/256x256/apps/quillmoth.png" ] || fail "no icon"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "the menu entry is not valid"
fi

# The menu entry's command, with a file that is not there: the installed
# program starts, finds its libraries and says so in one line.
set +e
message=$(QT_QPA_PLATFORM=offscreen HOME="$prefix/home" PATH="$prefix/bin:$PATH" \
          quillmoth "$prefix/no such book.txt" 2>&1)
status=$?
set -e
[ "$status" -eq 2 ] || fail "the installed program ended with $status: $message"
[[ "$message" == *"is not a file"* ]] || fail "unexpected message: $message"
echo "installed layout and menu entry are complete"
