#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks what a packager gets:
# the program in bin/, its data (with the help book) only in share/briven/, the manual page in
# share/man/man1/, and, in a build with the desktop program, that program in
# libexec/briven/ with its desktop entry and file types; nothing else. The
# installed program finds its header definition and converts the header
# example.
#   install_layout.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
actual=$(cd "$work/prefix" && find . -type f | sort)
help_book=$(cd "$source/app/help" && find . -type f | sed 's|^\./|./share/briven/help/|')
desktop=""
if [ -x "$build/app/briven-desktop" ]; then
  desktop=$(printf '%s\n' ./libexec/briven/briven-desktop ./share/applications/briven.desktop \
    ./share/mime/packages/briven.xml)
fi
expected=$( (printf '%s\n' ./bin/briven ./share/briven/qelhdr1.tdf ./share/man/man1/briven.1; echo "$help_book"
  [ -z "$desktop" ] || echo "$desktop") | sort)
if [ "$actual" != "$expected" ]; then
  echo "installed files differ from the expected layout:"
  diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi

XDG_CONFIG_HOME=$work/config "$work/prefix/bin/briven" "$source/examples/header_cast.raw" "$work/header.txt"
grep -q $'^Instrument\tNMBP0417\r$' "$work/header.txt" || { echo "header conversion gave:"; cat "$work/header.txt"; exit 1; }
MANPAGER=cat LC_ALL=C man -l "$work/prefix/share/man/man1/briven.1" | grep -q '^NAME' || { echo "man -l failed"; exit 1; }
echo "install layout: ok"
