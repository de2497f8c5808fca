#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package as users get it: builds the release preset and packs it with cpack, as the
# README's install steps do. The desktop entry and the AppStream file must validate, lintian
# must find no error and no warning, the program must carry Debian's hardening, its manual page
# must render, and the package must hold exactly the files below and depend on Qt's libraries
# and plugins and on fonts with Arial's metrics.
set -euo pipefail
cd "$1"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
cpack --config build/release/CPackConfig.cmake -B "$scratch" >/dev/null
deb=$(ls "$scratch"/quilvane_*.deb)
dpkg-deb -x "$deb" "$scratch/root"

desktop-file-validate "$scratch/root/usr/share/applications/org.quilvane.Quilvane.desktop"
# The project has no homepage, and none is made up: appstream 1.0 (Debian 13) warns that the
# metainfo names none, here and through lintian, and that warning alone passes.
report=$(appstreamcli validate --no-net --no-color "$scratch"/root/usr/share/metainfo/*.xml || true)
if [[ $report != *Validation* ]] || grep -E '^[EW]:' <<<"$report" | grep -v url-homepage-missing; then
    echo "$report" && exit 1
fi
report=$(lintian --tag-display-limit 0 "$deb" 2>&1) || true
if grep -E '^[EW]: ' <<<"$report" |
    grep -v -E '^W: quilvane: appstream-metadata-validation-failed .*url-homepage-missing'; then
    echo "lintian: $report" && exit 1
fi
# What dpkg-buildflags gives Debian's own packages (PIE, stack protector, _FORTIFY_SOURCE,
# RELRO) and BIND_NOW; lintian reports a missing one only as information. Control-flow
# protection is x86-only and not among Debian 12's flags, so it is not asked for.
hardening-check --nocfprotection "$scratch/root/usr/bin/quilvane"
# The manual page renders without a warning from groff.
page=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$scratch/root/usr/share/man/man1/quilvane.1.gz" 2>&1)
if [[ $page != *"quilvane - simulate throws of a six-sided die"* ]] || grep -q warning <<<"$page"; then
    echo "$page" && exit 1
fi

files=$(find "$scratch/root" -type f -printf '%P ' | tr ' ' '\n' | sed 's|^usr/||' | sort | tr '\n' ' ')
[[ $files == "bin/quilvane share/applications/org.quilvane.Quilvane.desktop share/doc/quilvane/changelog.gz share/doc/quilvane/copyright share/icons/hicolor/16x16/apps/quilvane.png share/icons/hicolor/256x256/apps/quilvane.png share/icons/hicolor/32x32/apps/quilvane.png share/icons/hicolor/48x48/apps/quilvane.png share/icons/hicolor/scalable/apps/quilvane.svg share/man/man1/quilvane.1.gz share/metainfo/org.quilvane.Quilvane.metainfo.xml " ]] || {
    echo "package files: $files" && exit 1
}
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-liberation2; do
    [[ $depends == *"$needed"* ]] || { echo "Depends lacks $needed: $depends" && exit 1; }
done
echo "package ok: $(basename "$deb"), Depends: $depends"
