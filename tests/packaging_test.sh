#!/usr/bin/env bash
# Installs the build into a scratch folder and packs it as a .deb: the desktop entry and the
# AppStream file must validate, and the package must hold exactly the files below and depend
# on Qt's libraries and plugins and on fonts with Arial's metrics.
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$1" --prefix "$scratch/root" >/dev/null
desktop-file-validate "$scratch/root/share/applications/org.quilvane.Quilvane.desktop"
# The project has no homepage: appstream 1.0 warns of that, and that warning alone is let pass.
report=$(appstreamcli validate --no-net --no-color "$scratch"/root/share/metainfo/*.xml || true)
if [[ $report != *Validation* ]] || grep -E '^[EW]:' <<<"$report" | grep -v url-homepage-missing; then
    echo "$report" && exit 1
fi
cpack --config "$1/CPackConfig.cmake" -B "$scratch/package" >/dev/null
deb=$(ls "$scratch"/package/quilvane_*.deb)
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./usr/||' | sort | tr '\n' ' ')
[[ $files == "bin/quilvane share/applications/org.quilvane.Quilvane.desktop share/icons/hicolor/16x16/apps/quilvane.png share/icons/hicolor/256x256/apps/quilvane.png share/icons/hicolor/32x32/apps/quilvane.png share/icons/hicolor/48x48/apps/quilvane.png share/icons/hicolor/scalable/apps/quilvane.svg share/metainfo/org.quilvane.Quilvane.metainfo.xml " ]] || {
    echo "package files: $files" && exit 1
}
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-liberation2; do
    [[ $depends == *"$needed"* ]] || { echo "Depends lacks $needed: $depends" && exit 1; }
done
echo "package ok: $(basename "$deb"), Depends: $depends"
