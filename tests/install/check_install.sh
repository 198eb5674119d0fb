#!/usr/bin/env bash
# Stages an install of the build in a temporary DESTDIR and checks the tree a desktop expects:
# the program, its launcher, AppStream metainfo, scalable icon and man page, each validated.
set -euo pipefail
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
root=$stage/usr
for file in bin/kymata \
            share/applications/org.kymata.Kymata.desktop \
            share/metainfo/org.kymata.Kymata.metainfo.xml \
            share/icons/hicolor/scalable/apps/org.kymata.Kymata.svg \
            share/man/man1/kymata.1.gz \
            share/doc/kymata/copyright \
            share/doc/kymata/changelog.gz; do
    [ -e "$root/$file" ] || { echo "missing from the install: $file"; exit 1; }
done
[ -x "$root/bin/kymata" ] || { echo "bin/kymata is not executable"; exit 1; }
desktop-file-validate "$root/share/applications/org.kymata.Kymata.desktop"
appstreamcli validate --no-net "$root/share/metainfo/org.kymata.Kymata.metainfo.xml"
warnings=$(zcat "$root/share/man/man1/kymata.1.gz" | groff -man -ww -z 2>&1)
[ -z "$warnings" ] || { echo "man page: $warnings"; exit 1; }
grep -q '<svg' "$root/share/icons/hicolor/scalable/apps/org.kymata.Kymata.svg"
echo "install tree complete and valid"
