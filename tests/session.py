# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What only the real program in a real X session shows (the window suite checks the rest
# in-process), read top to bottom: started with a Qt option that it must ignore (-platform
# offscreen, which, obeyed, would show no window here), it is read on the accessibility bus as a
# screen reader reads it; its window's class is the one its menu entry
# names, and its icon is there in 16 and 32 pixels; its exit button, pressed as a screen reader
# presses it, ends it with status 0 and leaves no process behind.
#
# Usage: session.py PROGRAM MENU_ENTRY   (in an X server, with a D-Bus session: the built program
#        with the source's menu entry, or the installed ones, as debian/tests/control gives them)
import os, subprocess, sys, time  # noqa: E401

import pyatspi
from Xlib import X, display

PROMPT = "Πόσες φορές θέλεις να ρίξεις το ζάρι;"
TEXT, LABEL, BUTTON = pyatspi.ROLE_TEXT, pyatspi.ROLE_LABEL, pyatspi.ROLE_PUSH_BUTTON
CONTROLS = sorted([  # every control, as a screen reader names it, in whichever arrangement
    (TEXT, "Αποτελέσματα"), (TEXT, PROMPT), (LABEL, PROMPT), (BUTTON, "Ρίξε το Ζάρι"),
    (LABEL, "Γράφτηκε στο σχολικό εργαστήριο πληροφορικής από τον δημιουργό του"),
    (TEXT, "Στατιστική Κατανομή"), (LABEL, "Περιμένετε Παρακαλώ"), (LABEL, "Στατιστική Κατανομή"),
    (LABEL, "Αποτελέσματα"), (BUTTON, "Ακύρωση"), (BUTTON, "Έξοδος από το πρόγραμμα")])


def wait_for(what, check):
    deadline = time.monotonic() + 20
    while not (result := check()):
        assert time.monotonic() < deadline, "timed out waiting for " + what
        time.sleep(0.1)
    return result


def children(node):  # (a child going away while asked for comes back as None)
    return [c for c in map(node.getChildAtIndex, range(node.childCount)) if c]


def press(node, name=None):  # the first button within node, as a screen reader presses it
    stack = children(node)
    while (found := stack.pop(0)).getRole() != BUTTON or name not in (None, found.name):
        stack += children(found)
    found.queryAction().doAction(0)


def window():  # the program's window on the accessibility bus, once it has all its controls
    return next((frame for app in children(pyatspi.Registry.getDesktop(0))
                 if app.get_process_id() == program.pid for frame in children(app)
                 if frame.name == "Quilvane" and frame.childCount == len(CONTROLS)), None)


IGNORED = ["-platform", "offscreen"]
program = subprocess.Popen([sys.argv[1], *IGNORED], start_new_session=True, env=dict(
    os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
try:
    xid = wait_for("its window on this X server (none shows if it obeyed its arguments, "
                   + " ".join(IGNORED) + ")", lambda: subprocess.run(
                       ["xdotool", "search", "--onlyvisible", "--pid", str(program.pid), "--name",
                        "^Quilvane$"], capture_output=True, text=True).stdout.split())[0]
    frame = wait_for("the window and its controls", window)
    assert sorted((c.getRole(), c.name) for c in children(frame)) == CONTROLS, "controls named"

    xwindow = (x := display.Display()).create_resource_object("window", int(xid))
    # each size of the icon: width, height, then its pixels
    icon = list(xwindow.get_full_property(x.intern_atom("_NET_WM_ICON"), X.AnyPropertyType).value)
    entry = dict(line.strip().split("=", 1) for line in open(sys.argv[2]) if "=" in line)
    assert xwindow.get_wm_class()[1] == entry["StartupWMClass"], "not the menu entry's class"
    assert icon[:2] + icon[258:260] == [16, 16, 32, 32] and len(icon) == 4 + 16**2 + 32**2, "icon"

    press(frame, "Έξοδος από το πρόγραμμα")
    press(wait_for("the thank-you box", lambda: [w for w in children(frame.parent) if w != frame])[0])
    status = program.wait(20)
    left = subprocess.run(["pgrep", "-s", str(program.pid)], capture_output=True).stdout
    assert status == 0 and not left, "exit status %d, leaving %s" % (status, left)
    print("PASS: arguments ignored, controls named, the entry's class and icon, exit with status 0")
finally:
    program.kill()
