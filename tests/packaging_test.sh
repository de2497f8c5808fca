#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package as users get it: builds the release preset and packs it with cpack, as the
# README's install steps do. The desktop entry and the AppStream file must validate, lintian
# must find no error and no warning (but the one below, about the homepage the project does not
# have), the program must carry its hardening, its English and Greek
# manual pages must render, the package must hold exactly the files below and depend on Qt's
# libraries and plugins and on fonts with Arial's metrics, and a second build elsewhere must give
# the same package.
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
# The AppStream data as lintian and software centres read it, from the installed tree. The
# project has no homepage, and none is made up: appstream 1.0 (Debian 13) warns that the metainfo
# names none, and that warning alone passes. lintian 2.122 runs the same validation and reports
# any problem it finds as one warning that does not name it; so that warning passes too, once the
# validation here has found no other problem.
report=$(appstreamcli validate-tree --no-net --no-color "$scratch/root" || true)
if [[ $report != *Validation* ]] || grep -E '^\s*[EW]: ' <<<"$report" | grep -v url-homepage-missing; then
    echo "$report" && exit 1
fi
status=0
report=$(lintian --tag-display-limit 0 "$deb" 2>&1) || status=$?
if ((status > 1)) || grep -E '^[EW]: ' <<<"$report" |
    grep -v '^W: quilvane: appstream-metadata-validation-failed '; then
    echo "lintian: $report" && exit 1
fi
# The hardening the release preset asks for, each feature by name. Of these, lintian 2.116
# (Debian 12) fails the step above only on a missing PIE or read-only relocations, which it warns
# of; missing fortified functions and immediate binding are only information to it, and it has no
# tag for stack protection. hardening-check cannot see stack-clash protection in so small a
# program, nor branch protection where the C library's start files lack it (Debian 12).
report=$(hardening-check "$scratch/root/usr/bin/quilvane" || true)
for feature in "Position Independent Executable" "Stack protected" "Fortify Source functions" \
    "Read-only relocations" "Immediate binding"; do
    grep -q "^ $feature: yes" <<<"$report" || { echo "$report" && exit 1; }
done
# The manual pages render without a warning from groff, the Greek one where man -L el finds it.
# (groff writes an accented Greek vowel as its older twin with oxia: the NAME line is matched up
# to its first accent)
for name in "en:simulate throws of a six-sided die" "el:προσομο"; do
    page=$(MANPATH="$scratch/root/usr/share/man" LC_ALL=C.UTF-8 MANWIDTH=80 \
        man --warnings -L "${name%%:*}" quilvane 2>&1)
    if [[ $page != *"quilvane - ${name#*:}"* ]] || grep -q warning <<<"$page"; then
        echo "$page" && exit 1
    fi
done

files=$(find "$scratch/root" -type f -printf '%P\n' | sed 's|^usr/||' | sort | tr '\n' ' ')
[[ $files == "bin/quilvane share/applications/org.quilvane.Quilvane.desktop share/doc/quilvane/changelog.gz share/doc/quilvane/copyright share/icons/hicolor/16x16/apps/quilvane.png share/icons/hicolor/256x256/apps/quilvane.png share/icons/hicolor/32x32/apps/quilvane.png share/icons/hicolor/48x48/apps/quilvane.png share/icons/hicolor/scalable/apps/quilvane.svg share/man/el/man1/quilvane.1.gz share/man/man1/quilvane.1.gz share/metainfo/org.quilvane.Quilvane.metainfo.xml " ]] || {
    echo "package files: $files" && exit 1
}
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-liberation2; do
    [[ $depends == *"$needed"* ]] || { echo "Depends lacks $needed: $depends" && exit 1; }
done

# The same package, bit for bit, from another folder, made by another user (when run as root)
# with another umask, locale and time zone.
other="$scratch/another clone/quilvane"
mkdir -p "$other"
tar -C "$1" --exclude=./build --exclude=./.git -cf - . | tar -xf - -C "$other"
as=()
if ((EUID == 0)); then
    chmod a+x "$scratch" && chown -R nobody "$scratch/another clone"
    as=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$other")
fi
(cd "$other" && umask 077 && "${as[@]}" env LC_ALL=C TZ=Pacific/Kiritimati sh -c \
    'cmake --preset release && cmake --build --preset release && cd build/release && cpack') >/dev/null
cmp "$deb" "$other"/build/release/quilvane_*.deb || { echo "a second build differs" && exit 1; }
echo "package ok: $(basename "$deb") ($(sha256sum <"$deb" | cut -c1-16)), Depends: $depends"
