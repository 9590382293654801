#!/usr/bin/env bash
# Checks a built Debian package: its control data names computed library dependencies,
# lintian finds no error or warning that is not overridden with a reason, and its unpacked
# files pass the same checks as an installed tree.
#
#   check-package.sh tavelon_<version>_<arch>.deb
set -euo pipefail

deb=$1
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAILED: $*" >&2; exit 1; }
[ -f "$deb" ] || fail "no package $deb"

echo "== dpkg-deb --info $deb"
dpkg-deb --info "$deb"
# dpkg-shlibdeps writes each library's package with the least version its symbols need; a
# list written by hand would have no such bounds.
depends=$(dpkg-deb --field "$deb" Depends)
for library in libc6 libqt6core6 libqt6gui6; do
  grep -qE "(^|, )$library \(>= [^)]+\)" <<<"$depends" ||
    fail "Depends names no computed version of $library: $depends"
done

echo "== lintian $deb"
lintian --info --show-overrides --fail-on error,warning "$deb" || fail "lintian"
echo "lintian: no error, no warning that is not overridden"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work"
version=$(dpkg-deb --field "$deb" Version)
for check in program desktop appstream mime manual; do
  echo "== $check"
  "$here/check-installed-tree.sh" "$work" "$check" "$version"
done
echo "package: all checks passed"
