#!/usr/bin/env bash
# Checks an installed tree the way the desktop reads it. ROOT is the folder holding usr/: a
# DESTDIR that "cmake --install --prefix /usr" filled, or an unpacked Debian package.
#
#   check-installed-tree.sh ROOT desktop|appstream|mime|manual|program VERSION
#
# Prints what the tools say and exits non-zero when a check fails.
set -euo pipefail

root=$(cd "$1" && pwd)
check=$2
version=${3:-}
id=org.tavelon.Tavelon
share=$root/usr/share
program=$root/usr/bin/tavelon

fail() { echo "FAILED: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null || fail "$1 is missing (make deps installs it)"; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The desktop entry: desktop-file-validate names errors, warnings and hints. The one hint
# expected is that Education and Development are both main categories, which is meant: the
# program belongs in both menus.
check_desktop() {
  need desktop-file-validate
  local entry=$share/applications/$id.desktop
  [ -f "$entry" ] || fail "$entry is not installed"
  desktop-file-validate "$entry" >"$work/out" 2>&1 || { cat "$work/out"; fail "desktop-file-validate"; }
  cat "$work/out"
  ! grep -Ev 'hint: value "[^"]*" for key "Categories" .* more than one main category' \
    "$work/out" | grep -q . || fail "desktop-file-validate reports more than the categories hint"
  grep -qx 'Exec=tavelon %f' "$entry" || fail "Exec is not 'tavelon %f'"
  [ -x "$program" ] || fail "the entry's program $program is not installed"
  [ -f "$share/icons/hicolor/scalable/apps/$id.svg" ] || fail "the entry's icon is not installed"
  echo "desktop entry: valid"
}

# The AppStream metadata, alone and together with the desktop entry and icon it names; the
# newest release it lists is the version installed.
check_appstream() {
  need appstreamcli
  local metainfo=$share/metainfo/$id.metainfo.xml
  [ -f "$metainfo" ] || fail "$metainfo is not installed"
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
  appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree"
  if [ -n "$version" ]; then
    local newest
    newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
    [ "$newest" = "$version" ] || fail "the newest release in $metainfo is $newest, not $version"
  fi
  echo "AppStream metadata: valid"
}

# The database built from the installed files comes first, the system's own after it; no
# user's choices take part, and the installed program is on the path.
in_test_data() {
  LC_ALL=C.UTF-8 XDG_DATA_HOME=$work/data XDG_DATA_DIRS=$work/data:/usr/share \
    XDG_CONFIG_HOME=$work/config XDG_CONFIG_DIRS=$work/config PATH=$root/usr/bin:$PATH "$@"
}

# What that database calls a file.
content_type() {
  in_test_data gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'
}

expect_type() {
  local file=$1 expected=$2 found
  found=$(content_type "$file")
  [ "$found" = "$expected" ] || fail "$(basename "$file") is taken for $found, not $expected"
  echo "$(basename "$file"): $found"
}

# The file type: the package parses, and a design is known by its name and, without one, by
# its first bytes, while a note that merely begins like one stays plain text. A double click
# on a design opens it with the menu entry.
check_mime() {
  need update-mime-database
  need update-desktop-database
  need gio
  local package=$share/mime/packages/$id.xml
  [ -f "$package" ] || fail "$package is not installed"
  mkdir -p "$work/data/mime/packages"
  cp "$package" "$work/data/mime/packages/"
  in_test_data update-mime-database "$work/data/mime" >"$work/out" 2>&1 || { cat "$work/out"; fail "update-mime-database"; }
  if grep -q . "$work/out"; then cat "$work/out"; fail "update-mime-database complains"; fi
  grep -q 'application/x-tavelon-struktogramm' "$work/data/mime/types" ||
    fail "the database holds no application/x-tavelon-struktogramm"
  local design=$'B:gesamtes Programm\x01A:x := 1\x01\x02\x02'
  printf '%s' "$design" >"$work/kasse.str"
  printf '%s' "$design" >"$work/entwurf"
  printf 'B:\x01\x02\x02' >"$work/leer.str"
  printf 'B: Besprechung am Montag\nA: alle kommen\n' >"$work/notiz"
  printf 'x := 1;\r\n' >"$work/kasse.pas"
  expect_type "$work/kasse.str" application/x-tavelon-struktogramm
  expect_type "$work/leer.str" application/x-tavelon-struktogramm
  expect_type "$work/entwurf" application/x-tavelon-struktogramm
  expect_type "$work/notiz" text/plain
  expect_type "$work/kasse.pas" text/x-pascal
  mkdir -p "$work/data/applications"
  cp "$share/applications/$id.desktop" "$work/data/applications/"
  in_test_data update-desktop-database "$work/data/applications"
  in_test_data gio mime application/x-tavelon-struktogramm >"$work/out"
  cat "$work/out"
  grep -qE "^Default application for .*: $id\.desktop$" "$work/out" ||
    fail "designs do not open with $id.desktop"
  echo "file type: known, opens with $id.desktop"
}

# The manual page renders without a warning from man or groff and names every option that
# the program's own usage names.
check_manual() {
  need man
  local page=$share/man/man1/tavelon.1.gz
  [ -f "$page" ] || fail "$page is not installed"
  LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" >/dev/null 2>"$work/warnings"
  if grep -q . "$work/warnings"; then cat "$work/warnings"; fail "man reports warnings"; fi
  LC_ALL=C.UTF-8 MANWIDTH=200 man -E UTF-8 -l "$page" >"$work/page" 2>/dev/null
  local option
  for option in $("$program" --help | grep -o -- '--[a-z0-9-]*' | sort -u); do
    grep -qF -- "$option" "$work/page" || fail "the manual page does not describe $option"
  done
  echo "manual page: renders cleanly, describes every option of --help"
}

# The installed program starts and says its version.
check_program() {
  local said
  said=$("$program" --version) || fail "$program --version"
  [ -z "$version" ] || [ "$said" = "Tavelon $version" ] || fail "the program says '$said'"
  echo "program: $said"
}

case $check in
  desktop | appstream | mime | manual | program) "check_$check" ;;
  *) fail "unknown check $check" ;;
esac
