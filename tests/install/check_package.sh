#!/usr/bin/env bash
# Builds the Debian package of the build with CPack in a temporary folder and checks it as a
# distribution would: its control fields, every file a desktop expects in it, and lintian with no
# error or warning.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
deb=$(ls "$out"/kymata_*.deb)
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kymata ] || { echo "package name: $(field Package)"; exit 1; }
for dep in libqt6widgets6 libqt6printsupport6 libqt6svg6 libcups2; do
    field Depends | grep -q "$dep" || { echo "Depends lacks $dep: $(field Depends)"; exit 1; }
done
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/kymata \
            ./usr/share/applications/org.kymata.Kymata.desktop \
            ./usr/share/metainfo/org.kymata.Kymata.metainfo.xml \
            ./usr/share/icons/hicolor/scalable/apps/org.kymata.Kymata.svg \
            ./usr/share/man/man1/kymata.1.gz \
            ./usr/share/doc/kymata/copyright \
            ./usr/share/doc/kymata/changelog.gz; do
    grep -qxF "$file" <<<"$contents" || { echo "missing from the package: $file"; exit 1; }
done
# Nothing outside /usr, and every file owned by root.
if dpkg-deb -c "$deb" | awk '{print $2, $6}' | grep -v '^root/root \./usr/'; then
    echo "files outside /usr or not owned by root"
    exit 1
fi
# The metainfo in the package has its screenshots and a release.
unpacked=$out/root
dpkg-deb -x "$deb" "$unpacked"
metainfo=$unpacked/usr/share/metainfo/org.kymata.Kymata.metainfo.xml
grep -q '<screenshot type="default">' "$metainfo" || { echo "metainfo: no screenshot"; exit 1; }
grep -q '<release version="' "$metainfo" || { echo "metainfo: no release"; exit 1; }
# The packaged program runs.
"$unpacked/usr/bin/kymata" --version | grep -q '^kymata '
report=$(lintian --no-cfg --fail-on error,warning "$deb" 2>&1 | grep -v 'running with root privileges' || true)
if lintian --no-cfg --fail-on error,warning "$deb" >/dev/null 2>&1; then
    echo "package $(basename "$deb") complete; lintian passes"
else
    echo "lintian: $report"
    exit 1
fi
