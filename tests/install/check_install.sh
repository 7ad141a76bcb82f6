#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
# Checks that Pintabel installs like a desktop program, from a configured and built BUILD_DIR:
# the installed tree, the desktop entry and AppStream metadata (validated), then the Debian
# package: installed with apt, its binaries run (the window opens a picture named on its
# command line under Xvfb), then removed again. Also checks the licences: which programs link
# the metafile converters, lintian on the package, and `reuse lint` on the sources.
# Installs a package on this machine: CI runs it inside its throw-away root.
# Usage: check_install.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: check_install.sh BUILD_DIR}" && pwd)
src=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
installed=""
cleanup() {
  [ -z "$installed" ] || apt-get remove -y -qq pintabel >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "install: FAILED: $*"
  exit 1
}
say() { echo "install: $*"; }

id=org.pintabel.Pintabel
DESTDIR=$work/root cmake --install "$build" --prefix /usr >/dev/null
expected=(
  usr/bin/pintabel usr/bin/pintabel-cli usr/libexec/pintabel/pintabel-metafile
  usr/share/doc/pintabel/copyright usr/share/doc/pintabel/changelog.Debian.gz
  usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/man/man1/pintabel-cli.1.gz usr/share/man/man1/pintabel.1.gz
)
for size in 16 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x$size/apps/$id.png")
done
for f in "${expected[@]}"; do
  [ -s "$work/root/$f" ] || fail "the installed tree lacks $f"
done
for size in 16 24 32 48 64 128 256; do
  got=$(identify -format '%wx%h' "$work/root/usr/share/icons/hicolor/${size}x$size/apps/$id.png")
  [ "$got" = "${size}x$size" ] || fail "the ${size}x$size icon is $got"
done
zcat "$work/root/usr/share/man/man1/pintabel-cli.1.gz" | grep -q '^\.TH PINTABEL-CLI 1' ||
  fail "the manual page has no title line"
say "installed tree has all ${#expected[@]} files"

# libemf2svg may only be combined with GPL-2.0 code: it stays in the metafile renderer, which
# in turn links neither OpenCV (Apache-2.0) nor potrace.
for program in usr/bin/pintabel usr/bin/pintabel-cli; do
  ! ldd "$work/root/$program" | grep -E 'libemf2svg|libwmf' || fail "$program links a metafile converter"
done
ldd "$work/root/usr/libexec/pintabel/pintabel-metafile" | grep -q libemf2svg ||
  fail "the metafile renderer does not link libemf2svg"
! ldd "$work/root/usr/libexec/pintabel/pintabel-metafile" | grep -E 'opencv|potrace' ||
  fail "the metafile renderer links OpenCV or potrace"
say "only the metafile renderer links the metafile converters"
(cd "$src" && reuse lint >"$work/reuse.log") || {
  cat "$work/reuse.log"
  fail "reuse lint"
}
say "reuse lint: every file has its copyright and licence"

desktop-file-validate "$work/root/usr/share/applications/$id.desktop" ||
  fail "desktop-file-validate"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/$id.metainfo.xml" ||
  fail "appstreamcli validate"
say "desktop entry and AppStream metadata are valid"

# The file times in the package are the commit's, as scripts/package makes it.
SOURCE_DATE_EPOCH=$(git -C "$src" log -1 --format=%ct)
export SOURCE_DATE_EPOCH
(cd "$build" && cpack -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1) || {
  cat "$work/cpack.log"
  fail "cpack -G DEB"
}
deb=$(ls "$work/deb"/pintabel_*.deb)
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || {
  cat "$work/lintian.log"
  fail "lintian reports errors"
}
say "lintian: no errors ($(grep -c '^W:' "$work/lintian.log" || true) warnings)"
(cd "$build" && cpack -G DEB -B "$work/again" >"$work/cpack.log" 2>&1) || fail "cpack -G DEB, again"
cmp "$deb" "$work/again/$(basename "$deb")" || fail "two packages from one build differ"
say "package $(basename "$deb"): depends on $(dpkg-deb -f "$deb" Depends)"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null || fail "apt-get install $deb"
installed=yes
version=$(/usr/bin/pintabel-cli --version)
package_version=$(dpkg-deb -f "$deb" Version)
[ "$version" = "pintabel-cli ${package_version%-*}" ] ||
  fail "pintabel-cli --version says '$version'"

# PNG24: a one-colour picture would otherwise be written as a 1-bit file, whose page is black and white.
convert -size 120x80 xc:'#ff00ff' "PNG24:$work/magenta.png"
info=$(/usr/bin/pintabel-cli info "$work/magenta.png")
[[ "$info" == "$work/magenta.png	120x80	"* ]] || fail "installed pintabel-cli info says '$info'"

# The installed window, started as a file manager would start it, shows the picture as a page.
cat >"$work/show.sh" <<'SHOW'
#!/usr/bin/env bash
set -u
/usr/bin/pintabel "$1" &
pid=$!
for _ in $(seq 1 300); do
  sleep 0.2
  kill -0 "$pid" 2>/dev/null || { echo "the program ended"; exit 1; }
  import -window root "$2" 2>/dev/null || continue
  share=$(convert "$2" -fill black +opaque '#ff00ff' -fill white -opaque '#ff00ff' \
    -colorspace Gray -format '%[fx:mean]' info:)
  # The 120x80 picture shown at the standard width of 300 covers 300x200 pixels.
  if awk -v s="$share" 'BEGIN { exit !(s * 1280 * 1024 >= 0.9 * 300 * 200) }'; then
    kill "$pid"
    exit 0
  fi
done
kill "$pid"
echo "no page with the picture appeared within 60 s"
exit 1
SHOW
chmod +x "$work/show.sh"
timeout -k 5 120 xvfb-run -a -s '-screen 0 1280x1024x24 -nolisten tcp' \
  "$work/show.sh" "$work/magenta.png" "$work/screen.png" ||
  fail "the installed pintabel did not show a picture named on its command line"
say "installed pintabel shows a picture named on its command line"

apt-get remove -y -qq pintabel >/dev/null || fail "apt-get remove pintabel"
installed=""
[ ! -e /usr/bin/pintabel ] || fail "removing the package left /usr/bin/pintabel"
say "package installed, ran and was removed"
echo "install: 1 passed, 0 failed"
