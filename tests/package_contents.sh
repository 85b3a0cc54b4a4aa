#!/usr/bin/env bash
# Builds the .deb from a configured and built tree into a temporary folder and checks
# what a user gets from it: the two programs and nothing else in /usr/bin, the desktop
# entry, AppStream metadata, icons of the sizes their folders promise, the man page,
# the package fields, and that apt accepts the file.
#   tests/package_contents.sh BUILD_DIR VERSION
# Exits 77 (reported as skipped) when cpack, dpkg-deb or dpkg-shlibdeps are missing.
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 BUILD_DIR VERSION" >&2; exit 2; }
build="$(realpath "$1")"
version="$2"
# CPack asks dpkg-shlibdeps (dpkg-dev) for the Depends line.
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed" >&2; exit 77; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# The package goes to the temporary folder, so the build tree gets no stray .deb.
cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; echo "FAIL: cpack -G DEB" >&2; exit 1; }
deb="$work/zeptor_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$work" >&2; echo "FAIL: no package $deb" >&2; exit 1; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# Every file of the package, exactly; tests and benchmarks must not slip in.
expected="$work/expected"
cat >"$expected" <<'EOF'
./usr/bin/zeptor
./usr/bin/zeptor-cli
./usr/share/applications/org.example.Zeptor.desktop
./usr/share/doc/zeptor/changelog.gz
./usr/share/doc/zeptor/copyright
./usr/share/icons/hicolor/256x256/apps/org.example.Zeptor.png
./usr/share/icons/hicolor/48x48/apps/org.example.Zeptor.png
./usr/share/icons/hicolor/scalable/apps/org.example.Zeptor.svg
./usr/share/man/man1/zeptor-cli.1
./usr/share/man/man1/zeptor.1
./usr/share/metainfo/org.example.Zeptor.metainfo.xml
EOF
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's/\.1\.gz$/.1/' | sort >"$work/actual"
if ! diff -u "$expected" "$work/actual" >"$work/diff"; then
  fail "package files differ from the expected list:"
  cat "$work/diff" >&2
fi
not_executable="$(dpkg-deb -c "$deb" | awk '$6 ~ /^\.\/usr\/bin\/./ && $1 != "-rwxr-xr-x" { print $6 }')"
[ -z "$not_executable" ] || fail "not executable: $not_executable"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zeptor ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', expected $version"
depends="$(field Depends)"
# Without the X11 platform plugin (not a library the programs link) the window cannot open.
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libqt6printsupport6 libqt6svg6 qt6-qpa-plugins; do
  grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
dpkg-deb -I "$deb" >/dev/null || fail "dpkg-deb -I cannot read the control part"

root="$work/root"
dpkg-deb -x "$deb" "$root"
share="$root/usr/share"

desktop="$share/applications/org.example.Zeptor.desktop"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
fi
grep -qx 'Exec=zeptor' "$desktop" || fail "the desktop entry does not start zeptor"
grep -qx 'Icon=org.example.Zeptor' "$desktop" || fail "the desktop entry names another icon"

metainfo="$share/metainfo/org.example.Zeptor.metainfo.xml"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log" >&2; fail "appstreamcli rejects the metainfo"; }
fi
grep -q '<launchable type="desktop-id">org.example.Zeptor.desktop</launchable>' "$metainfo" ||
  fail "the metainfo does not launch the desktop entry"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"

# Width and height of a PNG are the two big-endian words after the IHDR tag.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'; }
for size in 48x48 256x256; do
  png="$share/icons/hicolor/$size/apps/org.example.Zeptor.png"
  [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "$size icon is not a PNG"
  [ "$(png_size "$png")" = "$size" ] || fail "$size icon is $(png_size "$png")"
done
grep -q '<svg' "$share/icons/hicolor/scalable/apps/org.example.Zeptor.svg" || fail "scalable icon is not SVG"

for page in zeptor zeptor-cli; do
  man="$(ls "$share"/man/man1/$page.1*)"
  case "$man" in *.gz) man_text="$(gzip -dc "$man")" ;; *) man_text="$(cat "$man")" ;; esac
  grep -q '^\.TH' <<<"$man_text" || fail "the $page man page has no .TH header"
  # Every page named under SEE ALSO is one the package brings.
  for seen in $(sed -n '/^\.SH SEE ALSO/,$p' <<<"$man_text" | grep -o '[a-z][a-z\\-]*\s*(1)' | tr -d '\\ ' | sed 's/(1)//'); do
    [ -e "$share/man/man1/$seen.1.gz" ] || fail "the $page man page refers to $seen(1), which is not packed"
  done
done

# Debian calls the MIT licence "Expat".
grep -qx 'License: Expat' "$root/usr/share/doc/zeptor/copyright" || fail "the copyright file names no MIT licence"
grep -q '<project_license>MIT</project_license>' "$metainfo" || fail "the metainfo names another licence"
# The desktop entry's name is the program's desktop file name (a UTF-16 literal in it).
# grep reads to the end: with -q it would stop at the match, and strings, killed by
# SIGPIPE, would fail the pipeline under pipefail.
if command -v strings >/dev/null; then
  strings -el "$root/usr/bin/zeptor" | grep -x 'org.example.Zeptor' >/dev/null ||
    fail "zeptor does not name its desktop entry org.example.Zeptor"
fi

cli_version="$("$root/usr/bin/zeptor-cli" --version)" || fail "the packed zeptor-cli does not run"
[ "$cli_version" = "$version" ] || fail "packed zeptor-cli --version prints '$cli_version'"

# apt resolves the dependencies of a local file without installing anything.
if command -v apt-get >/dev/null; then
  apt-get install -s "$deb" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log" >&2; fail "apt-get install -s refuses the package"; }
  grep -q '^Inst zeptor ' "$work/apt.log" || { cat "$work/apt.log" >&2; fail "apt would not install zeptor"; }
fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "PASS: package contents, fields, desktop entry, metainfo, icons, man page and apt dry run"
