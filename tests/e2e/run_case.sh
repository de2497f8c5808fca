#!/usr/bin/env bash
# Runs one end-to-end case against the built program in its own X server (Xvfb) with its own
# D-Bus session and accessibility bus; a hard time limit turns a hang into a failure.
set -euo pipefail
binary=$1 artifacts=$2 case=$3
mkdir -p "$artifacts"
here=$(dirname "$(readlink -f "$0")")
exec timeout --kill-after=10 150 \
    xvfb-run --auto-servernum --server-args="-screen 0 800x600x24" \
    dbus-run-session -- /usr/bin/python3 "$here/e2e.py" "$binary" "$artifacts" "$case"
