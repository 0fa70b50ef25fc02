#!/usr/bin/env bash
# Unpacks the Debian package of a finished build into a scratch root and checks, in a
# desktop environment made of that root and nothing of this machine's user, that project
# files are known by their type and open in Varnel: the type database and the menu cache
# are made as the package's triggers would make them. Exits 77 (skipped) when the desktop
# tools are not installed.
# Usage: desktop_test.sh BUILD_DIR VERSION PICTURE
source "$(dirname "$0")/package_lib.sh"
for tool in desktop-file-validate update-desktop-database update-mime-database xdg-mime xdg-open \
  mimetype gio; do
  if ! command -v "$tool" >/dev/null; then
    echo "$test_name: $tool is not installed" >&2
    exit 77
  fi
done
picture=$(realpath "$3")
make_package "$1" "$2"

desktop_file=$root/usr/share/applications/varnel.desktop
desktop-file-validate "$desktop_file" || fail "the desktop entry does not validate"
grep -qx 'MimeType=application/x-varnel-project;' "$desktop_file" || fail "the desktop entry names no project type"

# The user's side: a fake varnel first on the search path records what it is started with.
home=$scratch/home
mkdir -p "$home/bin" "$home/files"
cat >"$home/bin/varnel" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$@" >"$scratch/started-with"
SCRIPT
chmod +x "$home/bin/varnel"
in_desktop() {
  env -i HOME="$home" PATH="$home/bin:/usr/bin:/bin" \
    XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" \
    XDG_DATA_DIRS="$root/usr/share:/usr/share" XDG_CONFIG_DIRS="$home/xdg" "$@"
}
# xdg-mime asks File::MimeInfo on a plain desktop and GIO on GNOME; both must say it.
types_of() {
  in_desktop xdg-mime query filetype "$1"
  in_desktop XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype "$1"
}
expect_project() {
  local types
  types=$(types_of "$1")
  [ "$types" = $'application/x-varnel-project\napplication/x-varnel-project' ] ||
    fail "$(basename "$1") is taken for: $types"
}
expect_other() {
  local types
  types=$(types_of "$1")
  [[ "$types" != *application/x-varnel-project* ]] || fail "$(basename "$1") is taken for a project"
}
in_desktop update-mime-database "$root/usr/share/mime"
in_desktop update-desktop-database "$root/usr/share/applications"

# A project as varnel-build saves it, under names in any case and without one.
files=$home/files
"$root/usr/bin/varnel-build" "$picture" -o "$scratch/slide.gba" --save-project "$files/show.vrn" \
  >"$scratch/build.log" 2>&1 || {
  cat "$scratch/build.log" >&2
  fail "varnel-build did not save the project"
}
cp "$files/show.vrn" "$files/Holiday Show.Vrn"
# Cut short, so that only its name tells what it is.
head -c 10 "$files/show.vrn" >"$files/SHOW.VRN"
cp "$files/show.vrn" "$files/show-without-ending"
cp "$picture" "$files/picture-without-ending"
printf 'notes on the show\n' >"$files/notes-without-ending"
for name in show.vrn SHOW.VRN "Holiday Show.Vrn" show-without-ending; do
  expect_project "$files/$name"
done
for name in picture-without-ending notes-without-ending; do
  expect_other "$files/$name"
done

[ "$(in_desktop xdg-mime query default application/x-varnel-project)" = varnel.desktop ] ||
  fail "the default application for projects is '$(in_desktop xdg-mime query default application/x-varnel-project)'"

# Opening a project, as a file manager does, starts Varnel on its full path. xdg-open only
# looks up applications when it believes a display is there; nothing connects to it.
in_desktop DISPLAY=:varnel-test xdg-open "$files/Holiday Show.Vrn" ||
  fail "xdg-open did not open the project"
[ "$(cat "$scratch/started-with" 2>/dev/null)" = "$files/Holiday Show.Vrn" ] ||
  fail "Varnel was started with '$(cat "$scratch/started-with" 2>/dev/null)'"
echo "$test_name: project files open in Varnel"
