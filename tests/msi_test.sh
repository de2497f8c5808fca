#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer as scripts/msi builds it, from stand-in files, read back with msiinfo:
# two versions share one upgrade code and differ in product code; each replaces a rebuild of its
# own, refuses to go over a newer one and to install on Windows before 10, in Greek, puts a
# shortcut with the icon into the Start menu, and shows the icon beside its entry among the
# installed programs. That a newer version replaces an older one is proved under Wine.
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/files/platforms" "$scratch/files/licenses"
for file in quilvane.exe Qt6Core.dll platforms/qwindows.dll licenses/GPL-3.0-or-later.txt; do
    echo stand-in >"$scratch/files/$file"
done
for version in 1.2.3 1.2.4; do
    "$1/scripts/msi" "$scratch/files" $version "$scratch/$version.msi"
done
table() { msiinfo export "$scratch/$1.msi" "$2" | tail -n +4 | tr -d '\r' | sort; }
property() { table "$1" Property | sed -n "s/^$2\t//p"; }

code=$(property 1.2.3 UpgradeCode)
[[ $code == "$(property 1.2.4 UpgradeCode)" && $code =~ ^\{[0-9A-F-]{36}\}$ ]]
[[ $(property 1.2.3 ProductCode) != "$(property 1.2.4 ProductCode)" ]]
# A rebuild of the same version is found too (768: both ends included), and so replaced: this row
# is scripts/msi's, as wixl drops that bit. Older and newer versions are MajorUpgrade's, which the
# downgrade's launch condition below stands for, and which the Windows proof installs under Wine.
table 1.2.3 Upgrade | grep -qx "$code	1.2.3	1.2.3		768		SAMEVERSIONFOUND"
# Windows before 10 is refused, but never the removal of an installed copy; the texts are Greek,
# as the source has them.
diff <(table 1.2.3 LaunchCondition) - <<ROWS
Installed OR WINDOWS10 = "#10"	Το Quilvane χρειάζεται Windows 10 ή 11, 64 bit.
NOT WIX_DOWNGRADE_DETECTED	Μια νεότερη έκδοση του Quilvane είναι ήδη εγκατεστημένη.
ROWS
[[ $(property 1.2.3 ALLUSERS) == 1 && $(property 1.2.3 Manufacturer) == "The Quilvane developers" &&
    $(property 1.2.3 ARPPRODUCTICON) == quilvane.ico ]]
table 1.2.3 Shortcut | awk -F'\t' '$2 == "ProgramMenuFolder" && $5 == "[INSTALLDIR]quilvane.exe" &&
    $7 == "Ρίψεις ζαριού έξι εδρών" && $9 == "quilvane.ico" {found = 1} END {exit !found}'
table 1.2.3 File | cut -f3 | grep -qx GPL-3.0-or-later.txt
echo "installer tables ok: upgrade code $code"
