#!/usr/bin/env bash
# Makes the Debian package of a finished build, checks what it holds and what it depends
# on, unpacks it into a scratch root (dpkg -x, no installation) and builds a show with the
# varnel-build found there. Usage: package_test.sh BUILD_DIR VERSION PICTURE
set -euo pipefail
build_dir=$(realpath "$1")
version=$2
picture=$(realpath "$3")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
  # The packaged player runs the image headless and saves its screen.
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$root/usr/bin/varnel-play" "$image" --frames 10 \
  --screenshot "$scratch/work/screen.png" >"$scratch/play.log" 2>&1 || {
  cat "$scratch/play.log" >&2
  fail "varnel-play from the package failed"
}
[ -s "$scratch/work/screen.png" ] || fail "varnel-play saved no screenshot"
echo "package test: $*" >&2
  exit 1
}

if ! cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log" >&2
  fail "cpack did not make the package"
fi
deb=$scratch/out/varnel_${version}_amd64.deb
[ -f "$deb" ] || fail "no $(basename "$deb") among: $(ls "$scratch/out")"

[ "$(dpkg-deb -f "$deb" Package)" = varnel ] || fail "wrong package name"
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || fail "wrong architecture"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libsdl1.2debian libsdl-image1.2 libqt6widgets6 libqt6gui6; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

contents=$(dpkg-deb -c "$deb")
for file in \
  ./usr/bin/varnel \
  ./usr/bin/varnel-build \
  ./usr/bin/varnel-play \
  ./usr/share/varnel/Src.res \
  ./usr/share/applications/varnel.desktop \
  ./usr/share/icons/hicolor/16x16/apps/varnel.png \
  ./usr/share/icons/hicolor/48x48/apps/varnel.png \
  ./usr/share/icons/hicolor/128x128/apps/varnel.png \
  ./usr/share/metainfo/org.varnel.varnel.metainfo.xml \
  ./usr/share/man/man1/varnel-build.1.gz; do
  grep -q " $file\$" <<<"$contents" || fail "the package lacks $file"
done

root=$scratch/root
dpkg -x "$deb" "$root"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.varnel.varnel.metainfo.xml" >/dev/null ||
  fail "the AppStream metainfo does not validate"
zcat "$root/usr/share/man/man1/varnel-build.1.gz" | sed 's/\\-/-/g' | grep -q -- '--save-project' ||
  fail "the manual page does not list the options"

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
