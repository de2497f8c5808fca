# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end sessions of the real program: each starts it in its own X server, under GTK's dark
# theme, drives it with real input (xdotool, XTest) and reads it through the accessibility tree
# (AT-SPI), as a screen reader does, and through screenshots; the wayland session starts it in
# weston's headless compositor instead and drives it through AT-SPI's actions. A session runs
# scenarios from the table below; a scenario is a list of steps: an action (a function of the
# program) or an expectation (what is expected, and a function that tells whether it holds yet),
# which is waited for a while before it fails.
#
# Usage: e2e.py BINARY ARTIFACT_DIR SESSION (main, exit, close, wayland or fuzz_input)
import functools, os, random, re, subprocess, sys, tempfile, time  # noqa: E401

import pyatspi
from gi.repository import GLib
from PIL import ImageFont, ImageGrab
from Xlib import X, XK, display as xdisplay, protocol
from Xlib.ext import xtest

import results
from results import wait_for

BINARY, ARTIFACTS, SESSION = sys.argv[1:4]
PROMPT = "Πόσες φορές θέλεις να ρίξεις το ζάρι;"
TEXT, LABEL, BUTTON = pyatspi.ROLE_TEXT, pyatspi.ROLE_LABEL, pyatspi.ROLE_PUSH_BUTTON
ORANGE, YELLOW, CREAM, RED, WHITE = (255, 128, 0), (255, 255, 0), (255, 255, 192), (255, 0, 0), \
    (255, 255, 255)
BLACK, PALE, GREY = (0, 0, 0), (255, 255, 128), (239, 239, 239)
DESIGN = {  # role, accessible name, place and size in pixels, shown between runs; for a caption or
    # text, its font, Arial (the window's own is 8 pt): size in points, bold or not; text and ground
    "DicePool": (TEXT, "Αποτελέσματα", 0, 16, 129, 225, True),
    "NumOfThrows": (TEXT, PROMPT, 248, 112, 65, 57, True, 12, False, BLACK, WHITE),
    "Label1": (LABEL, PROMPT, 136, 120, 113, 45, True, 9.75, False, YELLOW, ORANGE),
    "ChangeNumOfThrows": (BUTTON, "Ρίξε το Ζάρι", 312, 112, 81, 57, True, 9.75, False, BLACK, PALE),
    "Label2": (LABEL, "Γράφτηκε στο σχολικό εργαστήριο πληροφορικής από τον δημιουργό του",
               136, 200, 129, 41, True, 8, False, CREAM, ORANGE),
    "Stats": (TEXT, "Στατιστική Κατανομή", 128, 16, 265, 97, True),
    "Label3": (LABEL, "Περιμένετε Παρακαλώ", 160, 112, 209, 25, False, 14.25, True, WHITE, RED),
    "Label4": (LABEL, "Στατιστική Κατανομή", 192, 0, 129, 17, True, 9.75, False, YELLOW, ORANGE),
    "Label5": (LABEL, "Αποτελέσματα", 0, 0, 89, 17, True, 9.75, False, YELLOW, ORANGE),
    "Command1": (BUTTON, "Ακύρωση", 216, 136, 81, 33, False, 8, False, BLACK, GREY),
    "Command2": (BUTTON, "Έξοδος από το πρόγραμμα", 312, 200, 81, 41, True, 8, False, BLACK, GREY),
}
ENTRY_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "packaging",
                          "org.quilvane.Quilvane.desktop")  # the menu entry the window belongs to
ENTRY = dict(line.rstrip("\n").split("=", 1) for line in open(ENTRY_FILE) if "=" in line)
MENU = ["Αναίρεση", "Ακύρωση αναίρεσης", "Αποκοπή", "Αντιγραφή", "Επικόλληση", "Διαγραφή",
        "Επιλογή όλων"]  # each box's context menu, in the words of Greek desktops
SWAPPED = {"Label1", "NumOfThrows", "ChangeNumOfThrows", "Label3", "Command1"}  # during a run


def distance(colour, other):
    return max(abs(a - b) for a, b in zip(colour, other))


def near(colour, other):
    return distance(colour, other) <= 48


@functools.cache  # asked again and again while a step is waited for
def typeface(points, bold):  # Arial as fontconfig finds it, at 96 dots per inch, 16 times as large
    path = run("fc-match", "-f", "%{file}", "Arial:bold" if bold else "Arial")
    return ImageFont.truetype(path, round(points * 96 / 72) * 16)  # in whole pixels, as X draws it


def caption_width(name, text):  # of the widest line, the text wrapped to its control's width
    font, room, lines = typeface(*DESIGN[name][7:9]), DESIGN[name][4] * 16, []
    room -= 4 * 16 if DESIGN[name][0] == BUTTON else 0  # a button's frame
    for word in text.split():
        if lines and font.getlength(lines[-1] + " " + word) <= room:
            lines[-1] += " " + word
        else:
            lines.append(word)
    return max(right - left for left, _, right, _ in map(font.getbbox, lines)) / 16


def run(*args):  # what the command prints
    return subprocess.run(list(map(str, args)), capture_output=True, text=True).stdout


def xdotool(*args):
    return run("xdotool", *args)


def children(node):  # (a child that goes away while it is asked for comes back as None)
    return [c for c in map(node.getChildAtIndex, range(node.childCount)) if c] if node else []


def descendants(node):
    return [d for c in children(node) for d in [c] + descendants(c)]


MENUS = []  # the items of each context menu shown: name and place on screen


def listen(on):  # to menus being shown, only while menus are checked: Qt holds back key events
    # while any listener is registered, until the registry has seen them, so that keys and clicks
    # sent together would reach the program out of order
    return lambda p: getattr(pyatspi.Registry, "registerEventListener" if on else
                             "deregisterEventListener")(menu_shown, "object:state-changed:showing")


def menu_shown(event):  # a menu is no child of the application: it is read as it is shown
    if event.detail1 and event.source.getRole() == pyatspi.ROLE_POPUP_MENU:
        MENUS.append({c.name.split("\t")[0]: c.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                      for c in children(event.source) if c.getRole() == pyatspi.ROLE_MENU_ITEM})


class Program:
    def __init__(self, **platform):  # on X11, or as given
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   LANG="el_GR.UTF-8", LC_ALL="el_GR.UTF-8", QT_QPA_PLATFORMTHEME="gtk3",
                   GTK_THEME="Adwaita:dark")  # a desktop whose theme the window must not take
        env.update(platform)
        self.output = os.path.join(ARTIFACTS, SESSION + ".log")  # kept from run to run
        self.since = os.path.getsize(self.output) if os.path.exists(self.output) else 0
        # Qt's own options are ignored: -reverse would mirror the window.
        self.process = subprocess.Popen([BINARY, "-reverse"], env=env, stdout=open(self.output, "a"),
                                        stderr=subprocess.STDOUT, start_new_session=True)
        wait_for("the window and its controls in the accessibility tree", self._found)
        if platform:
            return
        self.window = xdotool("search", "--onlyvisible", "--pid", self.process.pid, "--name",
                              "^Quilvane$").split()[0]
        xdotool("windowfocus", "--sync", self.window)
        self.x = xdisplay.Display()  # for what xdotool cannot send or read
        self.xwindow = self.x.create_resource_object("window", int(self.window))

    def _found(self):
        assert self.process.poll() is None, "the program ended at start; see " + SESSION + ".log"
        # Qt's application; GTK, which reads the theme, registers one of its own with no window.
        self.app, self.frame = next(((a, w) for a in children(pyatspi.Registry.getDesktop(0))
                                     if a and a.get_process_id() == self.process.pid
                                     for w in children(a) if w.getRole() == pyatspi.ROLE_FILLER
                                     and w.name == "Quilvane"), (None, None))
        return self.frame and self.frame.childCount >= len(DESIGN)

    def control(self, name):  # a control that is not there fails the step with its name
        role, accessible = DESIGN[name][:2]
        found = [c for c in children(self.frame) if c.getRole() == role and c.name == accessible]
        assert found, "no control " + name
        return found[0]

    def state(self, name, state):
        return self.control(name).getState().contains(state)

    def extents(self, node, coords=pyatspi.WINDOW_COORDS):
        box = node.queryComponent().getExtents(coords)
        return box.x, box.y, box.width, box.height

    def misplaced(self, running=False):  # each control shown in its place as designed, or hidden
        faults = []
        for name, row in DESIGN.items():
            shown = row[6] != (running and name in SWAPPED)
            if self.state(name, pyatspi.STATE_SHOWING) != shown:
                faults.append("%s %s" % (name, "hidden" if shown else "shown"))
            elif shown and self.extents(self.control(name)) != row[2:6]:
                faults.append("%s at %s, not %s" % (name, self.extents(self.control(name)), row[2:6]))
        return faults

    def open_menu(self, name):
        MENUS.clear()
        self.click(name, 3)

    def menu(self):  # the items of the menu opened last, once it is shown
        while GLib.MainContext.default().iteration(False):
            pass
        return list(MENUS[-1]) if MENUS else ["no menu"]

    def choose(self, item):  # a real click on an item of the menu opened last
        box = MENUS[-1][item]
        xdotool("mousemove", box.x + box.width // 2, box.y + box.height // 2, "click", 1)

    def focused(self):
        return next((n for n in DESIGN if self.state(n, pyatspi.STATE_FOCUSED)), None)

    def text(self, name):
        return self.control(name).queryText().getText(0, -1)

    def idle(self):
        return all(self.state(n, pyatspi.STATE_SHOWING) == DESIGN[n][6] for n in DESIGN)

    def empty(self):
        return self.text("DicePool") == self.text("Stats") == ""

    def boxes(self):  # the open message boxes: title, texts and how many buttons
        return ["%s: %s, %d button" % (w.name, " ".join(
            c.name for c in children(w) if c.getRole() == LABEL and c.name), sum(
            c.getRole() == BUTTON for c in descendants(w))) for w in children(self.app)
            if w.getRole() != pyatspi.ROLE_FILLER and w.getState().contains(pyatspi.STATE_SHOWING)]

    def made(self):  # the throws in the results, once checked; each line ends in one break
        return results.made(self.text("DicePool").split("\n")[:-1],
                            self.text("Stats").split("\n")[:-1])

    def finished(self, throws=None):  # by default, a run cancelled before its last throw
        return self.idle() and self.text("Stats") and (
            self.made() < 32766 if throws is None else self.made() == throws)

    def centre(self, name):  # where the pointer goes on a control, shown or not
        x, y, w, h = DESIGN[name][2:6]
        return "mousemove", "--window", self.window, x + w // 2, y + h // 2

    def click(self, name, button=1):
        xdotool(*self.centre(name), "click", button)

    def during(self, pointer_on, *then):
        # Empties the statistics box, then starts a run of 32766 throws with Tab and Space, the
        # pointer resting on a control of the running window, and sends then in the same batch:
        # the X server has queued it before the program reads the Space, so the run finds it
        # waiting at its first pump, however fast the machine.
        self.click("Stats")
        xdotool("key", "ctrl+a", "Delete")
        enter(self, "32766")
        xdotool(*self.centre(pointer_on), "sleep", "0.3")
        self.send("Tab", "space", *then)

    def send(self, *events):  # key names, "click" or "close" (the title bar's), in this order
        for event in events:
            if event == "close":  # what a window manager sends for the title bar's close box
                protocols, delete = map(self.x.intern_atom, ("WM_PROTOCOLS", "WM_DELETE_WINDOW"))
                self.xwindow.send_event(protocol.event.ClientMessage(window=self.xwindow, data=(
                    32, [delete, X.CurrentTime, 0, 0, 0]), client_type=protocols))
                continue
            button = event == "click"
            code = 1 if button else self.x.keysym_to_keycode(XK.string_to_keysym(event))
            for kind in (X.ButtonPress, X.ButtonRelease) if button else (X.KeyPress, X.KeyRelease):
                xtest.fake_input(self.x, kind, code)
        self.x.sync()  # the server has them all

    def shot(self, label):
        self.screen = ImageGrab.grab(xdisplay=os.environ["DISPLAY"]).convert("RGB")
        self.screen.save(os.path.join(ARTIFACTS, "%s-%s.png" % (SESSION, label)))

    def pixels(self, x, y, w, h):  # the window's pixels in that area, in a screenshot taken now
        self.shot("colours")
        ox, oy = self.extents(self.frame, pyatspi.DESKTOP_COORDS)[:2]
        return [(i, self.screen.getpixel((ox + i, oy + j))) for i in range(x, x + w)
                for j in range(y, y + h)]

    def coloured(self, name, colour):  # or close to it, where small text blends it into the ground
        return any(near(c, colour) for _, c in self.pixels(*DESIGN[name][2:6]))

    def pixel(self, x, y):
        return self.pixels(x, y, 1, 1)[0][1]

    def font_faults(self, *names, text=None):  # each caption's glyphs, or the text's, as drawn
        faults = []
        for name in names:
            (x, y, w, h), (ink, ground) = DESIGN[name][2:6], DESIGN[name][9:]
            inset = 0 if DESIGN[name][0] == LABEL else 3  # a frame
            xs = [i for i, c in self.pixels(x + inset, y + inset, w - 2 * inset, h - 2 * inset)
                  if distance(c, ink) < distance(c, ground)] or [0]  # more ink than ground
            drawn, expected = max(xs) - min(xs) + 1, caption_width(name, text or DESIGN[name][1])
            if not -2.5 <= drawn - expected <= 1:
                faults.append("%s drawn %d pixels wide, not the %.1f of Arial %s pt%s" % (
                    name, drawn, expected, DESIGN[name][7], " bold" if DESIGN[name][8] else ""))
        return faults

    def identity_faults(self):  # as the desktop reads the window's properties
        # The class in WM_CLASS is the menu entry's StartupWMClass, and _NET_WM_ICON carries the
        # icon in 16 and 32 pixels: for each, its width, its height, then its pixels.
        icon = self.xwindow.get_full_property(self.x.intern_atom("_NET_WM_ICON"), X.AnyPropertyType)
        wm_class, icon = self.xwindow.get_wm_class() or ("", ""), list(icon.value) if icon else []
        return [fault for fault, wrong in (("WM_CLASS %s" % (wm_class,), wm_class[1] != ENTRY[
            "StartupWMClass"]), ("icon %s" % icon[:2], icon[:2] + icon[258:260] != [16, 16, 32, 32]
                                 or len(icon) != 4 + 16 * 16 + 32 * 32)) if wrong]

    def ended(self):  # with status 0, and nothing of its session left
        return self.process.wait(20) == 0 and subprocess.run(
            ["pgrep", "-s", str(self.process.pid)]).returncode == 1


def expect(program, what, check):
    # Waits until the check holds: a check gives True, or the list of what is wrong, and a step
    # that fails names what was still wrong at the end.
    faults = []

    def holds():
        nonlocal faults
        result = check(program)
        faults = result if isinstance(result, list) else [] if result else ["does not hold"]
        return not faults
    try:
        wait_for(what, holds)
    except AssertionError as failure:
        raise AssertionError("; ".join([str(failure)] + faults)) from None


def move_box_aside(program):  # the message box, which stands over its window, off it
    boxes = xdotool("search", "--onlyvisible", "--pid", program.process.pid, "--name", "^Quilvane$")
    for box in set(boxes.split()) - {program.window}:
        xdotool("windowmove", "--sync", box, 420, 300)


def enter(program, text):
    program.click("NumOfThrows")
    xdotool("key", "ctrl+a", "BackSpace", "type", "--delay", "20", text)


def keys(*names):
    return lambda p: xdotool("key", "--delay", "30", *names)


def click(name, button=1):
    return lambda p: p.click(name, button)


def roll(entry):
    return lambda p: enter(p, entry) or p.click("ChangeNumOfThrows")


def pause(p):
    time.sleep(0.5)


NOT_A_NUMBER, THANKS = ["Quilvane: Δώσε Αριθμό, 1 button"], ["Quilvane: Ευχαριστώ Πολύ, 1 button"]
END = ("the end, with status 0", Program.ended)
SCENARIOS = {
    "start": [
        ("focus in the log", lambda p: p.focused() == "DicePool"),
        ("every control in its place, shown as designed", Program.misplaced),
        ("a window of 398 by 243", lambda p: p.extents(p.frame)[2:] == (398, 243)),
        ("the menu entry's window class, and the icon", Program.identity_faults),
        ("captions in Arial at their sizes and weights", lambda p: p.font_faults(
            *(n for n, row in DESIGN.items() if row[0] != TEXT and row[6]))),
        ("entry 100, empty result boxes", lambda p: p.text("NumOfThrows") == "100" and p.empty()),
        ("an orange ground (the captions' colours are those their fonts are measured in)",
         lambda p: p.coloured("Label5", ORANGE)),
        ("the prompt beneath the entry box", lambda p: not near(p.pixel(248, 130), ORANGE)),
        ("the statistics' heading centred", lambda p: min(
            x for x, c in p.pixels(192, 2, 129, 12) if not near(c, ORANGE)) > 195),
        ("a scroll bar on the log, none on the statistics",
         lambda p: p.pixel(121, 128) != WHITE and p.pixel(385, 64) == WHITE),
    ],
    "paste from an empty clipboard and selection": [
        click("DicePool"), keys("ctrl+v", "shift+Insert"), click("DicePool", 2),
        click("Stats"), keys("ctrl+v", "shift+Insert"), click("Stats", 2), pause,
        ("the program alive, nothing pasted", lambda p: p.process.poll() is None and p.empty()),
    ],
    "tab chain between runs": [click("DicePool")] + [
        step for name in ("NumOfThrows", "ChangeNumOfThrows", "Stats", "Command2", "DicePool")
        for step in (keys("Tab"), ("Tab to " + name, lambda p, n=name: p.focused() == n))],
    "enter and esc press nothing": [
        click("NumOfThrows"), keys("Return", "KP_Enter", "Escape"), click("DicePool"),
        keys("Escape"), pause,
        ("no run, no box", lambda p: p.idle() and p.text("DicePool") == "" and not p.boxes()),
    ],
    "enter presses the focused roll button": [
        keys("Tab", "Tab", "Return"), ("100 throws", lambda p: p.finished(100)),
        lambda p: enter(p, "7"), keys("Tab", "KP_Enter"), ("7 throws", lambda p: p.finished(7)),
    ],
    "greek fraction": [roll("2,7"), ("3 throws", lambda p: p.finished(3))],
    "context menus in greek": [listen(True)] + [step for name in ("DicePool", "NumOfThrows", "Stats") for step in (
        lambda p, n=name: p.open_menu(n),
        ("the menu of %s in Greek" % name, lambda p: p.menu() == MENU or p.menu()),
        keys("Escape"))] + [
        step for item in ("Επιλογή όλων", "Αντιγραφή") for step in (
            lambda p: p.open_menu("DicePool"), ("the log's menu", lambda p: p.menu() == MENU),
            lambda p, i=item: p.choose(i))] + [
        click("Stats"), keys("ctrl+a", "ctrl+v"),
        ("the log copied through its menu",
         lambda p: p.text("Stats") == p.text("DicePool") != ""), listen(False),
    ],
    "no throws": [roll("0"), ("every count and share 0", lambda p: p.finished(0))],
    "too many throws": [
        roll("32767"), ("the message box", lambda p: p.boxes() == [
            "Quilvane: Ο μέγιστος αριθμός ρίψεων είναι 32766, 1 button"]),
        keys("Return"), ("idle, boxes empty", lambda p: not p.boxes() and p.idle() and p.empty()),
    ],
    "not a number": [
        roll("δώδεκα"), ("the message box", lambda p: p.boxes() == NOT_A_NUMBER),
        click("Command2"), pause,
        ("a click behind the modal box does nothing", lambda p: p.boxes() == NOT_A_NUMBER),
        keys("Return"),
        ("idle, entry kept, boxes empty",
         lambda p: not p.boxes() and p.idle() and p.text("NumOfThrows") == "δώδεκα" and p.empty()),
        ("the entry in Arial 12 pt", lambda p: p.font_faults("NumOfThrows", text="δώδεκα")),
    ],
    "cancel click during a run": [
        lambda p: p.during("Command1", "click"),
        ("a cancelled run's results", Program.finished),
    ],
    "enter on the exit button": [
        click("DicePool"), keys("shift+Tab", "Return"),
        ("the thank-you box", lambda p: p.boxes() == THANKS), keys("Return"), END,
    ],
    "exit click during a run": [
        lambda p: p.during("Command2", "click"),
        ("the thank-you box over the running arrangement, no result written", lambda p: (
            [] if p.boxes() == THANKS else ["boxes %s" % p.boxes()]) + p.misplaced(True) + (
            [] if p.empty() else ["results written"])),
        move_box_aside,
        ("the banner red and beneath the cancel button, their fonts", lambda p: (
            [] if p.coloured("Label3", RED) else ["Label3 not red"]) + (
            [] if not near(p.pixel(250, 136), RED) else ["Label3 above Command1"]) +
         p.font_faults("Label3", "Command1")),
        keys("Return"), END,
    ],
    "title-bar close during a run": [
        lambda p: p.during("Command2", "close"), END,
    ],
}
SESSIONS = {"main": list(SCENARIOS)[:-2], "exit": list(SCENARIOS)[-2:-1],
            "close": list(SCENARIOS)[-1:]}


def press(name):  # a button's own action, as a screen reader presses it
    return lambda p: p.control(name).queryAction().doAction(0)


def press_box(program):  # the one button of the open message box
    box = [w for w in children(program.app) if w.getRole() != pyatspi.ROLE_FILLER][0]
    next(c for c in descendants(box) if c.getRole() == BUTTON).queryAction().doAction(0)


def toplevels(program):  # the windows' first requests to the compositor, each window by its
    # number: {window: {request: arguments}}. (libwayland 1.23 writes xdg_toplevel#N, not @N.)
    requests = {}
    with open(program.output) as output:  # this program's part of it
        output.seek(program.since)
        log = output.read()
    for window, request, arguments in re.findall(r"-> xdg_toplevel[@#](\d+)\.(\w+)\((.*)\)", log):
        requests.setdefault(window, {}).setdefault(request, arguments)
    return requests


def parented(program):  # the open box's window has the program's window as its parent
    requests = toplevels(program)  # the program's window first
    main = next(iter(requests), "none")
    return [] if any(re.fullmatch("xdg_toplevel[@#]" + main, r.get("set_parent", "")) for r in
                     requests.values()) else ["requests %s" % requests]


WAYLAND = [  # no input can be sent to a Wayland window from outside: AT-SPI's actions drive it
    ("the menu entry's app id and a fixed 398 by 243 window", lambda p: [
        "%s(%s)" % request for request in (("set_app_id", '"%s"' % os.path.basename(
            ENTRY_FILE)[:-len(".desktop")]), ("set_min_size", "398, 243"),
            ("set_max_size", "398, 243")) if list(toplevels(p).values())[0].get(request[0]) !=
        request[1]]),
    lambda p: p.control("NumOfThrows").queryEditableText().setTextContents("abc"),
    press("ChangeNumOfThrows"), ("the message box", lambda p: p.boxes() == NOT_A_NUMBER),
    ("the box's window a child of the program's", parented), press_box,
    ("idle, entry kept", lambda p: not p.boxes() and p.idle() and p.text("NumOfThrows") == "abc"),
    press("Command2"), ("the thank-you box", lambda p: p.boxes() == THANKS), press_box, END,
]
SCENARIOS["on wayland"], SESSIONS["wayland"] = WAYLAND, ["on wayland"]


def on_wayland():  # weston's headless backend, with its own runtime folder
    runtime = tempfile.mkdtemp()
    weston = subprocess.Popen(["weston", "--backend=headless-backend.so", "--socket=quilvane",
                               "--idle-time=0"], env=dict(os.environ, XDG_RUNTIME_DIR=runtime),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for("weston", lambda: os.path.exists(os.path.join(runtime, "quilvane")))
    try:
        return Program(QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY="quilvane", WAYLAND_DEBUG="client",
                       XDG_RUNTIME_DIR=runtime), weston
    except Exception:
        weston.kill()
        raise


def random_input(seconds=30, seed=20261206):
    # Random real clicks and keys (xdotool sends them through XTest), the exit button mostly
    # spared; the program must answer throughout, and whenever it ends (with status 0) it is
    # started again.
    rng, program, events, lives = random.Random(seed), Program(), 0, 1
    strokes = "Tab Return Escape space BackSpace Down comma 0 9 a b ctrl+a ctrl+c ctrl+v ctrl+x " \
              "ctrl+z shift+Insert shift+Tab".split()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        x, y = rng.randrange(398), rng.randrange(243)
        if rng.random() < 0.4 and not (x >= 312 and y >= 200 and rng.random() > 0.05):
            xdotool("mousemove", "--window", program.window, x, y, "click",
                    rng.choice([1, 1, 1, 1, 2, 3]))
        else:
            xdotool("key", rng.choice(strokes))
        events += 1
        if program.process.poll() is not None:
            assert program.ended(), "the program ended with status %d" % program.process.returncode
            program, lives = Program(), lives + 1
        elif events % 50 == 0:
            program.text("NumOfThrows")  # answers within D-Bus's time limit, or fails
    program.process.kill()
    return "%d random events over %d program lifetimes, every end with status 0" % (events, lives)


def main():
    os.makedirs(ARTIFACTS, exist_ok=True)
    if SESSION == "fuzz_input":
        return print("PASS", random_input())
    program, weston = on_wayland() if SESSION == "wayland" else (Program(), None)
    scenario = "start"
    try:
        for scenario in SESSIONS[SESSION]:
            for step in SCENARIOS[scenario]:
                step(program) if callable(step) else expect(program, *step)
            program.process.poll() is None and not weston and program.shot(scenario.replace(" ", "-"))
            print("PASS", scenario)
    except Exception as failure:  # noqa: BLE001 - a failed lookup in the tree fails the step too
        program.process.poll() is None and not weston and program.shot("failure")
        sys.exit("FAIL %s: %r (screenshots and output in %s)" % (scenario, failure, ARTIFACTS))
    finally:
        program.process.kill()
        weston and weston.kill()


if __name__ == "__main__":
    main()
