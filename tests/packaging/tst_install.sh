#!/usr/bin/env bash
# `cmake --install` into a temporary prefix, then the installed program as a user runs it: the
# files where the desktop looks for them, the validators content, the .wrp type read from the
# MIME database, and a first start that seeds the user's data folder (and a second that keeps
# what the user has).
#   tst_install.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1
build=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/usr
cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "FAIL: $*" >&2; exit 1; }

for f in bin/brenvik share/brenvik/zoru.dat share/brenvik/zordrw.dat share/brenvik/zorc.dat \
         share/brenvik/zor.hlp share/brenvik/userguide.html share/brenvik/sketch_singlev.bmp \
         share/brenvik/sketch_singlev_s.bmp share/doc/brenvik/examples/wps-example.wrp \
         share/doc/brenvik/examples/wps-example_img.bmp share/applications/org.brenvik.Brenvik.desktop \
         share/mime/packages/brenvik.xml share/icons/hicolor/scalable/apps/brenvik.svg \
         share/icons/hicolor/scalable/mimetypes/application-x-brenvik-document.svg \
         share/metainfo/org.brenvik.Brenvik.metainfo.xml share/man/man1/brenvik.1.gz; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done
# Every side file of data/ (a new one included) is installed, and no example among them.
for f in "$src"/data/*; do
  [ -f "$f" ] || continue
  [ -f "$prefix/share/brenvik/$(basename "$f")" ] || fail "data/$(basename "$f") is not installed"
done
[ ! -e "$prefix/share/brenvik/examples" ] || fail "the examples are installed among the side files"
[ ! -e "$prefix/share/brenvik/.keep" ] || fail "a hidden file is installed"
for f in "$src"/data/examples/*; do
  [ -f "$prefix/share/doc/brenvik/examples/$(basename "$f")" ] || fail "example $(basename "$f") is not installed"
done

desktop-file-validate "$prefix/share/applications/org.brenvik.Brenvik.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/org.brenvik.Brenvik.metainfo.xml" >/dev/null ||
  fail "appstreamcli validate"
zcat "$prefix/share/man/man1/brenvik.1.gz" | grep -q "export.-pdf" || fail "the manual page lacks --export-pdf"

# The .wrp type as the desktop reads it from the MIME database.
update-mime-database "$prefix/share/mime"
mkdir -p "$tmp/docs"
printf '[contents]\r\nformType=WPSR\r\n' > "$tmp/docs/mine.wrp"
printf '[contents]\r\nformType=WPSR\r\n' > "$tmp/docs/renamed"
export XDG_DATA_DIRS=$prefix/share XDG_DATA_HOME=$tmp/nowhere
for f in mine.wrp renamed; do
  type=$(mimetype --brief "$tmp/docs/$f")
  [ "$type" = application/x-brenvik-document ] || fail "$f is $type"
done

# The installed program as a user: no store beside it, so the user's folder, seeded once.
home=$tmp/home
mkdir -p "$home"
run() { env -u BRENVIK_DATA HOME="$home" XDG_DATA_HOME= XDG_CONFIG_HOME= "$prefix/bin/brenvik" "$@"; }
run --new WPSR "$home/new.wrp" 2>"$tmp/err" || fail "--new: $(cat "$tmp/err")"
[ ! -s "$tmp/err" ] || fail "--new wrote to stderr: $(cat "$tmp/err")"
cmp -s "$home/.local/share/brenvik/zoru.dat" "$prefix/share/brenvik/zoru.dat" || fail "the store is not seeded"
[ -f "$home/.local/share/brenvik/zordrw.dat" ] || fail "the sketch library is not seeded"
printf 'mine\r\n' > "$home/.local/share/brenvik/zoru.dat"
run --export-pdf "$home/wps.pdf" "$prefix/share/doc/brenvik/examples/wps-example.wrp" 2>"$tmp/err" ||
  fail "--export-pdf: $(cat "$tmp/err")"
[ ! -s "$tmp/err" ] || fail "--export-pdf wrote to stderr: $(cat "$tmp/err")"
[ "$(cat "$home/.local/share/brenvik/zoru.dat")" = "$(printf 'mine\r')" ] || fail "the user's store was overwritten"
[ "$(head -c 4 "$home/wps.pdf")" = "%PDF" ] || fail "no PDF"
echo "installed tree checked"
