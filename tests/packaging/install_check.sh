#!/usr/bin/env bash
# Installs the build into a temporary prefix, as `make install` would, and
# checks what a desktop meets: the menu entry and the metainfo pass their
# validators, the entry's Exec and Icon name installed files, the icon comes
# in every size, the metainfo names the MIT licence, the copyright file is in
# Debian's machine-readable format, the manual page formats without a warning, the samples are
# all there and the installed program answers --version.
# Usage: install_check.sh <build folder> <source folder> <version>
set -u
build=$1 src=$2 version=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
share=$prefix/share
desktop=$share/applications/velbrook.desktop
metainfo=$share/metainfo/io.github.velbrook.velbrook.metainfo.xml

desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli validate"
grep -qx '<launchable type="desktop-id">velbrook.desktop</launchable>' <(sed 's/^ *//' "$metainfo") ||
  fail "the metainfo does not launch velbrook.desktop"

grep -q '<project_license>MIT</project_license>' "$metainfo" || fail "the metainfo names no MIT licence"

# The copyright file: the format line first; paragraphs of fields, each
# continued by lines starting with a space; every Files paragraph with
# Copyright and License; every licence named there given in full once.
copyright=$share/doc/velbrook/copyright
if [ -f "$copyright" ]; then
  problems=$(awk '
    function endpara() {
      if (n == 1 && !("Format" in f)) print "the first paragraph has no Format field"
      if ("Files" in f) {
        if (!("Copyright" in f)) print "a Files paragraph has no Copyright"
        if (!("License" in f)) print "a Files paragraph has no License"
        else named[f["License"]] = 1
      } else if (n > 1 && "License" in f) {
        if (!body) print "the licence " f["License"] " has no text"
        given[f["License"]] = 1
      } else if (n > 1) print "paragraph " n " is neither Files nor License"
      delete f; body = 0
    }
    NR == 1 && $0 != "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" {
      print "the first line is not the format line"
    }
    /^$/ { if (inpara) { endpara(); inpara = 0 } next }
    /^[ \t]/ { if (!inpara || !last) print "line " NR ": continuation outside a field"; else if (last == "License") body = 1; next }
    /^[A-Za-z][A-Za-z0-9-]*:/ {
      if (!inpara) { inpara = 1; ++n }
      last = substr($0, 1, index($0, ":") - 1)
      value = substr($0, index($0, ":") + 1); sub(/^ */, "", value)
      if (last in f) print "line " NR ": " last " twice in one paragraph"
      f[last] = value; next
    }
    { print "line " NR ": not a field: " $0 }
    END {
      if (inpara) endpara()
      for (l in named) if (!(l in given)) print "the licence " l " is named but not given"
    }' "$copyright")
  [ -z "$problems" ] || fail "copyright: $problems"
  grep -q '^License: Expat$' "$copyright" || fail "the copyright file names no MIT (Expat) licence"
else
  fail "no $copyright"
fi

exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$prefix/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon.svg"
for size in 48 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/$icon.png
  file "$png" 2>/dev/null | grep -q "PNG image data, $size x $size," || fail "$png is not a ${size}px PNG"
done

man=$share/man/man1/velbrook.1.gz
if [ -f "$man" ]; then
  warnings=$(zcat "$man" | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z 2>&1)
  [ -z "$warnings" ] || fail "manual page: $warnings"
else
  fail "no manual page"
fi

samples=$share/velbrook/samples/logtext
[ "$(ls "$samples" 2>/dev/null | wc -l)" = "$(ls "$src/samples/logtext" | wc -l)" ] ||
  fail "the samples in $samples differ in number from the source's"

out=$("$prefix/bin/velbrook" --version 2>&1)
[ "$out" = "Velbrook $version" ] || fail "--version printed '$out'"

[ $failed = 0 ] && echo "installed files are complete and valid"
exit $failed
