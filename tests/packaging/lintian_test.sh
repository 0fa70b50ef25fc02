#!/usr/bin/env bash
# Runs lintian on the Debian package of a finished build: no error and no warning may be
# left. Exits 77 (skipped) when lintian is not installed.
# Usage: lintian_test.sh BUILD_DIR VERSION
source "$(dirname "$0")/package_lib.sh"
if ! command -v lintian >/dev/null; then
  echo "$test_name: lintian is not installed" >&2
  exit 77
fi
make_package "$1" "$2"
# lintian warns on stderr when run as root (as CI does); its findings go to stdout.
if ! lintian --fail-on error,warning "$deb" >"$scratch/lintian.log" 2>/dev/null; then
  cat "$scratch/lintian.log" >&2
  fail "lintian finds errors or warnings"
fi
echo "$test_name: $(basename "$deb") is lintian-clean"
