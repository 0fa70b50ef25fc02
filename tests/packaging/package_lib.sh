# Shared by the package tests (sourced): makes the Debian package of a finished build in a
# scratch directory removed on exit, and unpacks it there (dpkg -x, no installation).
# After make_package BUILD_DIR VERSION: $scratch, $deb and $root (the unpacked tree).
set -euo pipefail

test_name=$(basename "$0" .sh)
fail() {
  echo "$test_name: $*" >&2
  exit 1
}

make_package() {
  local build_dir version
  build_dir=$(realpath "$1")
  version=$2
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  if ! cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log" >&2
    fail "cpack did not make the package"
  fi
  deb=$scratch/out/varnel_${version}_amd64.deb
  [ -f "$deb" ] || fail "no $(basename "$deb") among: $(ls "$scratch/out")"
  root=$scratch/root
  dpkg -x "$deb" "$root"
}
