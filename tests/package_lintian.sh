#!/usr/bin/env bash
# Builds the .deb from a configured and built tree into a temporary folder and runs
# lintian on it: any error or warning fails the test (its notes are only shown).
#   tests/package_lintian.sh BUILD_DIR VERSION
# Exits 77 (reported as skipped) when lintian, cpack or dpkg-shlibdeps are missing.
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 BUILD_DIR VERSION" >&2; exit 2; }
build="$(realpath "$1")"
version="$2"
for tool in lintian cpack dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed" >&2; exit 77; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; echo "FAIL: cpack -G DEB" >&2; exit 1; }
deb="$work/zeptor_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$work" >&2; echo "FAIL: no package $deb" >&2; exit 1; }

# lintian refuses nothing when run as root, but says so on every run.
status=0
lintian --fail-on error,warning --display-info --tag-display-limit 0 "$deb" \
  >"$work/lintian.log" 2>&1 || status=$?
grep -v '^running with root privileges is not recommended' "$work/lintian.log" >&2 || true
[ "$status" -eq 0 ] || { echo "FAIL: lintian reports errors or warnings (status $status)" >&2; exit 1; }
echo "PASS: lintian finds no error and no warning in $(basename "$deb")"
