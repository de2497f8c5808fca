#!/usr/bin/env bash
# Installs the build into a scratch folder and packs it as a .deb: the desktop entry and the
# AppStream file must validate, and the package must hold exactly the files below.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build" --prefix "$scratch/root" >/dev/null
desktop-file-validate "$scratch/root/share/applications/org.quilvane.Quilvane.desktop"
appstreamcli validate --no-net "$scratch/root/share/metainfo/org.quilvane.Quilvane.metainfo.xml"

cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
deb=$(ls "$scratch"/package/quilvane_*.deb)
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sort)
expected="./usr/bin/quilvane
./usr/share/applications/org.quilvane.Quilvane.desktop
./usr/share/icons/hicolor/16x16/apps/quilvane.png
./usr/share/icons/hicolor/256x256/apps/quilvane.png
./usr/share/icons/hicolor/32x32/apps/quilvane.png
./usr/share/icons/hicolor/48x48/apps/quilvane.png
./usr/share/icons/hicolor/scalable/apps/quilvane.svg
./usr/share/metainfo/org.quilvane.Quilvane.metainfo.xml"
if [[ $files != "$expected" ]]; then
    echo "package files differ:"
    diff <(echo "$expected") <(echo "$files") || true
    exit 1
fi

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins; do
    [[ $depends == *"$needed"* ]] || { echo "Depends lacks $needed: $depends"; exit 1; }
done
echo "package ok: $(basename "$deb")"
