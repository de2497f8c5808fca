#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package as Debian builds it: the tracked files, copied to a scratch folder, built
# into source and binary packages by dpkg-buildpackage, without the Qt Test suites, which run on
# their own. lintian must find no error and no warning on the .changes (one is overridden, as
# below), the desktop entry and the AppStream file must validate, the program must carry its
# hardening, the Greek manual page must name itself, and the package must hold exactly the files
# below and depend on Qt's Widgets library (which brings the rest of Qt) and on fonts with Arial's
# metrics.
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The tracked files where git can list them; otherwise (an unpacked source archive, a clone copied
# to a computer without git or owned by another user) all but .git and what .gitignore names.
if [[ $(git -C "$1" rev-parse --show-toplevel 2>/dev/null) == "$(cd "$1" && pwd -P)" ]]; then
    git -C "$1" ls-files -z | tar -C "$1" --null -T - -cf -
else
    tar -C "$1" --exclude=./.git --exclude-from=<(sed -e '/^#/d' -e 's|/$||' -e 's|^/|./|' \
        "$1/.gitignore") -cf - .
fi | tar -xf - -C "$scratch" --one-top-level=quilvane
(cd "$scratch/quilvane" && DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage --no-sign) \
    >"$scratch/build.log" 2>&1 || { cat "$scratch/build.log" && exit 1; }
deb=$(ls "$scratch"/quilvane_*_*.deb)
dpkg-deb -x "$deb" "$scratch/root"

desktop-file-validate "$scratch/root/usr/share/applications/org.quilvane.Quilvane.desktop"
# The AppStream data as lintian and software centres read it, from the installed tree. The
# project has no homepage, and none is made up: appstream 1.0 (Debian 13) warns that the metainfo
# names none, and that warning alone passes. lintian 2.122 runs the same validation and reports
# any problem as one warning that does not name it, which the package overrides (debian/rules)
# once the validation here has found no other problem.
report=$(appstreamcli validate-tree --no-net --no-color "$scratch/root" || true)
if [[ $report != *Validation* ]] || grep -E '^\s*[EW]: ' <<<"$report" | grep -v url-homepage-missing; then
    echo "$report" && exit 1
fi
# lintian also renders every manual page, the Greek one included, and warns of what groff says.
status=0
report=$(lintian --tag-display-limit 0 "$scratch"/quilvane_*.changes 2>&1) || status=$?
if ((status > 1)) || grep -E '^[EW]: ' <<<"$report"; then
    echo "lintian: $report" && exit 1
fi
# The hardening debian/rules asks for: hardening-check names each feature it does not find, but
# for two that the program cannot have. Control-flow integrity is marked on a program only when
# every object it links has it, and the C library's start files lack it on Debian 12 and 13;
# branch protection (hardening-check 2.25, Debian 13) is AArch64's. hardening-check cannot see
# stack-clash protection in so small a program, and does not name it. Of the rest, lintian 2.116
# (Debian 12) warns only of a missing PIE or read-only relocations.
report=$(hardening-check --lintian "$scratch/root/usr/bin/quilvane")
if grep -Ev '^no-(cfprotection|branchprotection):' <<<"$report"; then exit 1; fi
# The Greek page's NAME line, which whatis and lintian do not read (groff writes an accented
# Greek vowel as its older twin with oxia: the line is matched up to its first accent).
page=$(MANPATH="$scratch/root/usr/share/man" LC_ALL=C.UTF-8 MANWIDTH=80 man -L el quilvane 2>&1)
[[ $page == *"quilvane - προσομο"* ]] || { echo "$page" && exit 1; }

# (Packages built after Debian 12 also hold a lintian override, which lintian itself checks above.)
files=$(find "$scratch/root" -type f -printf '%P\n' | sed -e 's|^usr/\(share/\)\?||' -e '/^lintian/d' |
    sort | tr '\n' ' ')
[[ $files == "applications/org.quilvane.Quilvane.desktop bin/quilvane doc/quilvane/changelog.gz \
doc/quilvane/copyright icons/hicolor/16x16/apps/quilvane.png icons/hicolor/256x256/apps/quilvane.png \
icons/hicolor/32x32/apps/quilvane.png icons/hicolor/48x48/apps/quilvane.png \
icons/hicolor/scalable/apps/quilvane.svg man/el/man1/quilvane.1.gz man/man1/quilvane.1.gz \
metainfo/org.quilvane.Quilvane.metainfo.xml " ]] || { echo "package files: $files" && exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libqt6widgets6* && $depends == *fonts-liberation2* ]] || { echo "$depends" && exit 1; }
echo "package ok: $(basename "$deb") ($(sha256sum <"$deb" | cut -c1-16)), Depends: $depends"
