#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Every file states its licence and copyright, as reuse reads them. reuse leaves out what
# .gitignore names only when it can ask git, which an unpacked source archive lacks: so it reads
# a copy of the tree without those files, from a clone and from an archive alike.
set -euo pipefail
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
tar -C "$1" --exclude=./.git --exclude-from=<(sed -e '/^#/d' -e 's|/$||' -e 's|^/|./|' \
    "$1/.gitignore") -cf - . | tar -xf - -C "$copy"
reuse --root "$copy" lint
