# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What only the real program in a real desktop session shows (the window suite checks the rest
# in-process), read top to bottom: started with a Qt option that it must ignore, it is read on
# the accessibility bus as a screen reader reads it. On X11 its window's class and icon are the
# ones its menu entry names, and real typing and a real click make a run; on Wayland (weston's
# headless compositor, to which nothing outside can send input) its app id and fixed size are
# read from its requests to the compositor. The exit button ends it with status 0 and leaves no
# process behind.
#
# Usage: session.py PROGRAM [wayland]   (with a D-Bus session; for X11, in an X server)
import os
import re
import subprocess
import sys
import tempfile
import time

import pyatspi
from Xlib import X, display

PROMPT = "Πόσες φορές θέλεις να ρίξεις το ζάρι;"
CONTROLS = sorted([  # every control, as a screen reader names it, in whichever arrangement
    ("text", "Αποτελέσματα"), ("text", PROMPT), ("label", PROMPT), ("push button", "Ρίξε το Ζάρι"),
    ("label", "Γράφτηκε στο σχολικό εργαστήριο πληροφορικής από τον δημιουργό του"),
    ("text", "Στατιστική Κατανομή"), ("label", "Περιμένετε Παρακαλώ"),
    ("label", "Στατιστική Κατανομή"), ("label", "Αποτελέσματα"), ("push button", "Ακύρωση"),
    ("push button", "Έξοδος από το πρόγραμμα")])
MENU_ENTRY = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "packaging",
                          "org.quilvane.Quilvane.desktop")


def wait_for(what, check):
    deadline = time.monotonic() + 20
    while not (result := check()):
        if time.monotonic() > deadline:
            sys.exit("FAIL: timed out waiting for " + what)
        time.sleep(0.1)
    return result


def expect(what, holds):
    if not holds:
        sys.exit("FAIL: " + what)
    print("PASS:", what)


def children(node):  # (a child going away while asked for comes back as None)
    return [c for c in map(node.getChildAtIndex, range(node.childCount)) if c]


def descendants(node):
    return [d for c in children(node) for d in [c] + descendants(c)]


def window():  # the program's window on the accessibility bus, once it has all its controls
    return next((frame for app in children(pyatspi.Registry.getDesktop(0))
                 if app.get_process_id() == program.pid for frame in children(app)
                 if frame.name == "Quilvane" and frame.childCount == len(CONTROLS)), None)


def control(role, name):
    return next(c for c in children(frame) if (c.getRoleName(), c.name) == (role, name))


def click(x, y):  # a real click at that point of the window
    subprocess.run(["xdotool", "mousemove", "--window", xid, str(x), str(y), "click", "1"])


environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
if sys.argv[2:] == ["wayland"]:
    runtime = tempfile.mkdtemp()
    environment.update(QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY="quilvane", WAYLAND_DEBUG="client",
                       XDG_RUNTIME_DIR=runtime)
    compositor = subprocess.Popen(["weston", "--backend=headless-backend.so", "--socket=quilvane",
                                   "--idle-time=0"], env=environment)
    wait_for("weston", lambda: os.path.exists(os.path.join(runtime, "quilvane")))
requests = tempfile.TemporaryFile("w+")
program = subprocess.Popen([sys.argv[1], "-reverse"], start_new_session=True, env=environment,
                           stderr=requests)
try:
    frame = wait_for("the window and its controls", window)
    expect("every control named", sorted((c.getRoleName(), c.name) for c in children(frame)) ==
           CONTROLS)
    place = control("label", "Αποτελέσματα").queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    expect("the log's heading at the left, not mirrored by -reverse", (place.x, place.y) == (0, 0))

    if environment["QT_QPA_PLATFORM"] == "wayland":  # the window's first request of each kind
        requests.seek(0)
        found = {}
        for name, arguments in re.findall(r"-> xdg_toplevel[@#]\d+\.(\w+)\((.*)\)", requests.read()):
            found.setdefault(name, arguments)
        app_id = os.path.basename(MENU_ENTRY).removesuffix(".desktop")
        expect("the menu entry's app id and a fixed 398 x 243 window: %s" % found, [
            found.get(name) for name in ("set_app_id", "set_min_size", "set_max_size")] == [
            '"%s"' % app_id, "398, 243", "398, 243"])
        control("push button", "Έξοδος από το πρόγραμμα").queryAction().doAction(0)
    else:
        xid = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(program.pid),
                              "--name", "^Quilvane$"], capture_output=True, text=True).stdout.split()[0]
        x = display.Display()
        xwindow = x.create_resource_object("window", int(xid))
        icon = xwindow.get_full_property(x.intern_atom("_NET_WM_ICON"), X.AnyPropertyType)
        icon = list(icon.value) if icon else []  # each size: width, height, then its pixels
        entry = dict(line.strip().split("=", 1) for line in open(MENU_ENTRY) if "=" in line)
        expect("the menu entry's window class, and the icon in 16 and 32 pixels",
               xwindow.get_wm_class()[1] == entry["StartupWMClass"] and
               icon[:2] + icon[258:260] == [16, 16, 32, 32] and len(icon) == 4 + 16**2 + 32**2)

        click(280, 140)  # the entry
        subprocess.run(["xdotool", "key", "ctrl+a", "type", "--delay", "50", "12"])
        click(352, 140)  # the roll button
        log = control("text", "Αποτελέσματα").queryText()
        wait_for("12 throws in the log", lambda: log.getText(0, -1).startswith("Ρίξιμο 1ο") and
                 log.getText(0, -1).count("\n") == 12)
        print("PASS: typing 12 and a click make 12 throws")

        click(352, 220)  # the exit button
    # The thank-you box's button, as a screen reader presses it.
    box = wait_for("the thank-you box", lambda: [w for w in children(frame.parent) if w != frame])
    next(c for c in descendants(box[0]) if c.getRoleName() == "push button").queryAction(
        ).doAction(0)
    status = program.wait(20)
    left = subprocess.run(["pgrep", "-s", str(program.pid)], capture_output=True).stdout
    expect("the exit button ends the program with status %d, leaving %s" % (
        status, left or "nothing"), status == 0 and not left)
finally:
    program.kill()
    if environment["QT_QPA_PLATFORM"] == "wayland":
        compositor.kill()
