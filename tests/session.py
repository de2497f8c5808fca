# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What only the real program in a real desktop session shows (the window suite checks the rest
# in-process). Started with a Qt option it must ignore, it is read on the accessibility bus as a
# screen reader reads it. On X11, real typing and a real click make a run, and the window's
# class and icon are the ones its menu entry names; on Wayland (weston's headless compositor),
# where nothing outside a compositor can send input, the app id and the fixed size are read from
# the program's requests to the compositor. Either way the exit button ends it with status 0 and
# leaves no process behind.
#
# Usage: session.py PROGRAM [wayland]
import os
import re
import subprocess
import sys
import tempfile
import time

import pyatspi

PROGRAM, WAYLAND = sys.argv[1], sys.argv[2:] == ["wayland"]
MENU_ENTRY = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "packaging",
                          "org.quilvane.Quilvane.desktop")
PROMPT = "Πόσες φορές θέλεις να ρίξεις το ζάρι;"
TEXT, LABEL, BUTTON = "text", "label", "push button"
CONTROLS = sorted([  # every control, as a screen reader names it, in whichever arrangement
    (TEXT, "Αποτελέσματα"), (TEXT, PROMPT), (LABEL, PROMPT), (BUTTON, "Ρίξε το Ζάρι"),
    (LABEL, "Γράφτηκε στο σχολικό εργαστήριο πληροφορικής από τον δημιουργό του"),
    (TEXT, "Στατιστική Κατανομή"), (LABEL, "Περιμένετε Παρακαλώ"), (LABEL, "Στατιστική Κατανομή"),
    (LABEL, "Αποτελέσματα"), (BUTTON, "Ακύρωση"), (BUTTON, "Έξοδος από το πρόγραμμα")])


def wait_for(what, check, timeout=20):
    deadline = time.monotonic() + timeout
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
    for app in children(pyatspi.Registry.getDesktop(0)):
        for frame in children(app) if app.get_process_id() == program.pid else []:
            if frame.name == "Quilvane" and frame.childCount == len(CONTROLS):
                return frame
    return None


def control(role, name):
    return next(c for c in children(frame) if (c.getRoleName(), c.name) == (role, name))


def press_box_button():  # the one button of the message box that opens, as a screen reader would
    boxes = wait_for("a message box", lambda: [w for w in children(frame.parent) if w != frame])
    next(c for c in descendants(boxes[0]) if c.getRoleName() == BUTTON).queryAction().doAction(0)


environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
if WAYLAND:
    runtime = tempfile.mkdtemp()
    compositor = subprocess.Popen(["weston", "--backend=headless-backend.so", "--socket=quilvane",
                                   "--idle-time=0"], env=dict(environment, XDG_RUNTIME_DIR=runtime))
    wait_for("weston", lambda: os.path.exists(os.path.join(runtime, "quilvane")))
    environment.update(QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY="quilvane",
                       WAYLAND_DEBUG="client", XDG_RUNTIME_DIR=runtime)
else:
    environment.update(QT_QPA_PLATFORM="xcb")
log = tempfile.TemporaryFile("w+")
program = subprocess.Popen([PROGRAM, "-reverse"], env=environment, stderr=log,
                           start_new_session=True)
try:
    frame = wait_for("the window and its controls", window)
    expect("every control named", sorted((c.getRoleName(), c.name) for c in children(frame)) ==
           CONTROLS)
    place = control(LABEL, "Αποτελέσματα").queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    expect("the log's heading at the left, not mirrored by -reverse", (place.x, place.y) == (0, 0))
    entry = dict(line.strip().split("=", 1) for line in open(MENU_ENTRY) if "=" in line)
    if WAYLAND:  # each window's first request of each kind; libwayland 1.23 writes #N for @N
        log.seek(0)
        requests = {}
        for name, arguments in re.findall(r"-> xdg_toplevel[@#]\d+\.(\w+)\((.*)\)", log.read()):
            requests.setdefault(name, arguments)
        app_id = os.path.basename(MENU_ENTRY).removesuffix(".desktop")
        expect("the menu entry's app id, a fixed 398 x 243 window: %s" % requests,
               (requests.get("set_app_id"), requests.get("set_min_size"),
                requests.get("set_max_size")) == ('"%s"' % app_id, "398, 243", "398, 243"))
        control(BUTTON, "Έξοδος από το πρόγραμμα").queryAction().doAction(0)
    else:
        from Xlib import X, display

        x = display.Display()
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(program.pid),
                                "--name", "^Quilvane$"], capture_output=True, text=True).stdout
        xwindow = x.create_resource_object("window", int(found.split()[0]))
        icon = xwindow.get_full_property(x.intern_atom("_NET_WM_ICON"), X.AnyPropertyType)
        icon = list(icon.value) if icon else []  # each size: width, height, then its pixels
        expect("the menu entry's window class, and the icon in 16 and 32 pixels",
               xwindow.get_wm_class()[1] == entry["StartupWMClass"] and
               icon[:2] + icon[258:260] == [16, 16, 32, 32] and len(icon) == 4 + 16**2 + 32**2)

        def click(x, y):  # a real click at that point of the window
            subprocess.run(["xdotool", "mousemove", "--window", found.split()[0], str(x), str(y),
                            "click", "1"])

        click(280, 140)  # the entry
        subprocess.run(["xdotool", "key", "ctrl+a", "type", "--delay", "50", "12"])
        click(352, 140)  # the roll button
        log_box = control(TEXT, "Αποτελέσματα").queryText()
        wait_for("12 throws in the log",
                 lambda: log_box.getText(0, -1).startswith("Ρίξιμο 1ο") and
                 log_box.getText(0, -1).count("\n") == 12)
        print("PASS: typing 12 and a click make 12 throws")
        click(352, 220)  # the exit button
    press_box_button()
    status = program.wait(20)
    left = subprocess.run(["pgrep", "-s", str(program.pid)], capture_output=True).stdout
    expect("the exit button ends the program with status %d, leaving %s" % (status, left or
           "nothing"), status == 0 and not left)
finally:
    program.kill()
    if WAYLAND:
        compositor.kill()
