#!/usr/bin/env bash
# Makes the Debian package of a finished build, checks what it holds and what it depends
# on, unpacks it into a scratch root and builds a show with the varnel-build found there.
# Usage: package_test.sh BUILD_DIR VERSION PICTURE
source "$(dirname "$0")/package_lib.sh"
picture=$(realpath "$3")
make_package "$1" "$2"

[ "$(dpkg-deb -f "$deb" Package)" = varnel ] || fail "wrong package name"
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || fail "wrong architecture"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libsdl1.2debian libsdl-image1.2 libseccomp2 libqt6widgets6 libqt6gui6; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

contents=$(dpkg-deb -c "$deb")
for file in \
  ./usr/bin/varnel \
  ./usr/bin/varnel-build \
  ./usr/bin/varnel-play \
  ./usr/libexec/varnel/varnel-decoder \
  ./usr/share/varnel/Src.res \
  ./usr/share/applications/varnel.desktop \
  ./usr/share/icons/hicolor/16x16/apps/varnel.png \
  ./usr/share/icons/hicolor/48x48/apps/varnel.png \
  ./usr/share/icons/hicolor/128x128/apps/varnel.png \
  ./usr/share/icons/hicolor/16x16/mimetypes/application-x-varnel-project.png \
  ./usr/share/icons/hicolor/128x128/mimetypes/application-x-varnel-project.png \
  ./usr/share/mime/packages/varnel.xml \
  ./usr/share/metainfo/org.varnel.varnel.metainfo.xml \
  ./usr/share/doc/varnel/copyright \
  ./usr/share/doc/varnel/changelog.gz \
  ./usr/share/man/man1/varnel.1.gz \
  ./usr/share/man/man1/varnel-build.1.gz \
  ./usr/share/man/man1/varnel-play.1.gz \
  ./usr/share/bash-completion/completions/varnel-build \
  ./usr/share/bash-completion/completions/varnel-play; do
  grep -q " $file\$" <<<"$contents" || fail "the package lacks $file"
done

appstreamcli validate --no-net "$root/usr/share/metainfo/org.varnel.varnel.metainfo.xml" >/dev/null ||
  fail "the AppStream metainfo does not validate"

# The manual pages as man shows them: every option listed, both forms of varnel-build in
# the synopsis and none left over at the top of the description.
manual() { MANWIDTH=100 man -l "$root/usr/share/man/man1/$1.1.gz" 2>/dev/null; }
manual varnel-build | grep -q -- '--save-project' || fail "varnel-build's page does not list the options"
synopsis=$(manual varnel-build | sed -n '/^SYNOPSIS/,/^DESCRIPTION/p')
grep -q 'varnel-build \[options\] PICTURE' <<<"$synopsis" || fail "synopsis: $synopsis"
grep -q 'varnel-build \[options\] PROJECT.vrn' <<<"$synopsis" || fail "synopsis: $synopsis"
description=$(manual varnel-build | sed -n '/^DESCRIPTION/,+2p')
grep -q 'PROJECT.vrn' <<<"$description" && fail "a usage line lands in the description: $description"
manual varnel-play | grep -q -- '--screenshot' || fail "varnel-play's page does not list the options"
manual varnel | grep -q '~/Varnel' || fail "varnel's page does not say where Build writes"

[ "$("$root/usr/bin/varnel-build" --version)" = "varnel-build 1.3" ] || fail "--version"

# A show built in an empty directory takes the viewer program unpacked beside the
# executable, not one of the build tree or of an installation on this machine.
mkdir "$scratch/work"
(cd "$scratch/work" && "$root/usr/bin/varnel-build" "$picture" >"$scratch/build.log" 2>&1) || {
  cat "$scratch/build.log" >&2
  fail "varnel-build from the package failed"
}
image=$scratch/work/slide.gba
template=$root/usr/share/varnel/Src.res
[ -f "$image" ] || fail "no slide.gba"
[ "$(stat -c %s "$image")" -gt 632032 ] || fail "slide.gba holds no picture"
cmp -s -n "$(stat -c %s "$template")" "$template" "$image" || fail "the image does not start with the packaged template"
# The packaged player runs the image headless and saves its screen.
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$root/usr/bin/varnel-play" "$image" --frames 10 \
  --screenshot "$scratch/work/screen.png" >"$scratch/play.log" 2>&1 || {
  cat "$scratch/play.log" >&2
  fail "varnel-play from the package failed"
}
[ -s "$scratch/work/screen.png" ] || fail "varnel-play saved no screenshot"
echo "package test: $(basename "$deb") installs and builds"
