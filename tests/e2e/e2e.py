"""End-to-end cases for the real program: started in an X server, driven only with real input
events (xdotool), and read through the accessibility tree (AT-SPI) as a screen reader reads it.

Usage: e2e.py BINARY ARTIFACT_DIR CASE
"""

import os
import re
import shutil
import struct
import subprocess
import sys
import time
import zlib

import pyatspi
from Xlib import X, display as xdisplay, protocol

BINARY, ARTIFACTS, CASE = sys.argv[1:4]

PROMPT = "Πόσες φορές θέλεις να ρίξεις το ζάρι;"
CREDIT = "Γράφτηκε στο σχολικό εργαστήριο πληροφορικής από τον δημιουργό του"
# Design name: (role, accessible name, x, y, width, height in pixels, visible between runs).
DESIGN = {
    "DicePool": ("text", "Αποτελέσματα", 0, 16, 129, 225, True),
    "NumOfThrows": ("text", PROMPT, 248, 112, 65, 57, True),
    "Label1": ("label", PROMPT, 136, 120, 113, 45, True),
    "ChangeNumOfThrows": ("push button", "Ρίξε το Ζάρι", 312, 112, 81, 57, True),
    "Label2": ("label", CREDIT, 136, 200, 129, 41, True),
    "Stats": ("text", "Στατιστική Κατανομή", 128, 16, 265, 97, True),
    "Label3": ("label", "Περιμένετε Παρακαλώ", 160, 112, 209, 25, False),
    "Label4": ("label", "Στατιστική Κατανομή", 192, 0, 129, 17, True),
    "Label5": ("label", "Αποτελέσματα", 0, 0, 89, 17, True),
    "Command1": ("push button", "Ακύρωση", 216, 136, 81, 33, False),
    "Command2": ("push button", "Έξοδος από το πρόγραμμα", 312, 200, 81, 41, True),
}
LOG_LINE = re.compile(r"^Ρίξιμο (\d+)ο: ([1-6])$")
STATS_LINE = re.compile(r"^\S+ βγήκαν: (\d+) φορές\. Ποσοστό:([\d,]+) ?%$")


# Inherited by the program and anything it might start, so that what it leaves behind can be
# told apart from any other copy of the program running on the machine.
MARK = "%d-%d" % (os.getpid(), time.time_ns())


def marked_processes():
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/environ" % pid, "rb") as environ:
                if b"QUILVANE_E2E_MARK=" + MARK.encode() in environ.read().split(b"\0"):
                    found.append(pid)
        except OSError:  # gone meanwhile, or not ours to read
            pass
    return found


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(predicate, what, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.05)
    raise Failure("timed out waiting for " + what)


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], check=True, capture_output=True,
                          text=True).stdout


class Program:
    def __init__(self):
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   LANG="el_GR.UTF-8", LC_ALL="el_GR.UTF-8", QUILVANE_E2E_MARK=MARK)
        self.log = open(os.path.join(ARTIFACTS, CASE + ".log"), "w")
        self.process = subprocess.Popen([BINARY], env=env, stdout=self.log, stderr=self.log)
        self.window = int(wait_for(lambda: self._main_window(), "the main window"))
        self.app = wait_for(self._accessible_app, "the program on the accessibility bus")
        self.frame = wait_for(lambda: self._child(self.app, "filler", "Quilvane"),
                              "the window in the accessibility tree")
        wait_for(lambda: self.frame.childCount >= len(DESIGN), "the controls")
        xdotool("windowfocus", "--sync", self.window)
        self.shot_no = 0

    def _main_window(self):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                                str(self.process.pid), "--name", "^Quilvane$"],
                               capture_output=True, text=True).stdout.split()
        return found[0] if found else None

    def _accessible_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    @staticmethod
    def _child(parent, role, name):
        for i in range(parent.childCount):
            child = parent.getChildAtIndex(i)
            if child.getRoleName() == role and child.name == name:
                return child
        return None

    def control(self, name):
        role, accessible_name = DESIGN[name][:2]
        found = self._child(self.frame, role, accessible_name)
        check(found is not None, "no %s %r in the accessibility tree" % (role, accessible_name))
        return found

    def showing(self, name):
        return self.control(name).getState().contains(pyatspi.STATE_SHOWING)

    def focused(self):
        for name in DESIGN:
            if self.control(name).getState().contains(pyatspi.STATE_FOCUSED):
                return name
        return None

    def text(self, name):
        return self.control(name).queryText().getText(0, -1)

    def click(self, name):
        x, y, w, h = DESIGN[name][2:6]
        xdotool("mousemove", "--window", self.window, x + w // 2, y + h // 2, "click", "1")

    def keys(self, *keys):
        xdotool("key", "--delay", "20", *keys)

    def type(self, text):
        xdotool("type", "--delay", "20", text)

    def idle(self):
        return (self.showing("ChangeNumOfThrows") and self.showing("NumOfThrows")
                and self.showing("Label1") and not self.showing("Command1")
                and not self.showing("Label3"))

    def message_boxes(self):
        """The texts of the open message boxes (top-level windows other than the main one)."""
        texts = []
        for i in range(self.app.childCount):
            window = self.app.getChildAtIndex(i)
            if window is None or window.name == "Quilvane" and window.getRoleName() == "filler":
                continue
            if not window.getState().contains(pyatspi.STATE_SHOWING):
                continue
            for j in range(window.childCount):
                child = window.getChildAtIndex(j)
                if child.getRoleName() == "label" and child.name:
                    texts.append(child.name)
        return texts

    def screenshot(self, label):
        """Writes the screen's top left corner, where the window and its boxes open, as PNG."""
        self.shot_no += 1
        screen = xdisplay.Display()
        root = screen.screen().root
        width, height = 640, 400
        raw = root.get_image(0, 0, width, height, X.ZPixmap, 0xFFFFFFFF).data
        rows = b"".join(
            b"\0" + bytes(v for px in range(width)
                          for v in raw[(y * width + px) * 4:(y * width + px) * 4 + 3][::-1])
            for y in range(height))

        def chunk(kind, data):
            return (struct.pack(">I", len(data)) + kind + data
                    + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

        png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2,
                                                                 0, 0, 0))
               + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
        path = os.path.join(ARTIFACTS, "%s-%d-%s.png" % (CASE, self.shot_no, label))
        with open(path, "wb") as out:
            out.write(png)
        screen.close()

    def close_from_title_bar(self):
        """What a window manager sends when the title bar's close box is clicked."""
        screen = xdisplay.Display()
        window = screen.create_resource_object("window", int(self.window))
        protocols = screen.intern_atom("WM_PROTOCOLS")
        delete = screen.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(event, event_mask=X.NoEventMask)
        screen.sync()  # a round trip: the server has handled the request before we hang up
        screen.close()

    def exit_status(self, timeout=20):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            stacks = ""
            if shutil.which("gdb"):  # where it hangs, for whoever reads the failure
                stacks = subprocess.run(
                    ["gdb", "-p", str(self.process.pid), "-batch", "-ex",
                     "thread apply all bt 25"], capture_output=True, text=True).stdout
            raise Failure("the program did not end\n" + stacks[-6000:])

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.log.close()


def results(program):
    """The log's faces and the statistics' counts, each line checked for its form."""
    faces = []
    for number, line in enumerate(filter(None, program.text("DicePool").split("\n")), 1):
        match = LOG_LINE.match(line)
        check(match and int(match.group(1)) == number, "bad log line %r" % line)
        faces.append(int(match.group(2)))
    counts = []
    for line in filter(None, program.text("Stats").split("\n")):
        match = STATS_LINE.match(line)
        check(match, "bad statistics line %r" % line)
        counts.append(int(match.group(1)))
    return faces, counts


def check_agree(faces, counts):
    check(len(counts) == 6, "six statistics lines, not %d" % len(counts))
    for face in range(1, 7):
        check(counts[face - 1] == faces.count(face),
              "face %d: count %d, log %d" % (face, counts[face - 1], faces.count(face)))


def roll(program, entry):
    program.click("NumOfThrows")
    program.keys("ctrl+a", "BackSpace")
    program.type(entry)
    program.click("ChangeNumOfThrows")


def roll_by_keyboard(program, entry, pointer_on, *then):
    """Types the entry and presses the roll button with Tab and Space, the pointer resting on a
    control of the running window; the input in then follows within milliseconds, so that it
    arrives while the run is going on (moving the pointer would cost xdotool a tenth of a
    second, longer than a whole run)."""
    program.click("NumOfThrows")
    program.keys("ctrl+a", "BackSpace")
    program.type(entry)
    x, y, w, h = DESIGN[pointer_on][2:6]
    xdotool("mousemove", "--window", program.window, x + w // 2, y + h // 2)
    time.sleep(0.3)
    xdotool("key", "--delay", "1", "Tab", "space", *then)


# The cases ---------------------------------------------------------------------------------

def case_start_state(program):
    for name, (role, accessible, x, y, w, h, visible) in DESIGN.items():
        check(program.showing(name) == visible, "%s showing should be %s" % (name, visible))
        if visible:
            extents = program.control(name).queryComponent().getExtents(pyatspi.XY_WINDOW)
            check((extents.x, extents.y, extents.width, extents.height) == (x, y, w, h),
                  "%s at %s" % (name, (extents.x, extents.y, extents.width, extents.height)))
    check(program.text("NumOfThrows") == "100", "entry starts with 100")
    check(program.text("DicePool") == "" and program.text("Stats") == "", "empty result boxes")
    wait_for(lambda: program.focused() == "DicePool", "focus in the log box")
    program.screenshot("idle")
    return "every control in place, idle arrangement, entry 100, focus in the log"


def case_tab_chain(program):
    wait_for(lambda: program.focused() == "DicePool", "focus in the log box")
    visited = []
    for _ in range(5):
        program.keys("Tab")
        time.sleep(0.1)
        visited.append(program.focused())
    expected = ["NumOfThrows", "ChangeNumOfThrows", "Stats", "Command2", "DicePool"]
    check(visited == expected, "idle tab chain %s" % visited)
    # During a long run: the clicked roll button's focus passes on to the statistics box when
    # it is hidden, one Tab reaches the cancel button, and Space presses it.
    roll_by_keyboard(program, "32766", "Command1", "Tab", "space")
    wait_for(lambda: program.idle() and program.text("Stats"), "the run to end")
    faces, counts = results(program)
    check(len(faces) < 32766, "Tab then Space during the run cancelled it (%d throws)" % len(faces))
    check_agree(faces, counts)
    return "idle chain %s; during a run Tab, Space cancelled after %d throws" % (
        " > ".join(visited), len(faces))


def case_keys_press_nothing(program):
    program.click("NumOfThrows")
    program.keys("Return", "KP_Enter", "Escape")
    program.click("DicePool")
    program.keys("Escape")
    time.sleep(0.5)
    check(program.idle(), "still idle")
    check(program.text("DicePool") == "" and program.text("Stats") == "", "no run started")
    check(program.message_boxes() == [], "no message box")
    return "Enter, keypad Enter and Esc in the entry and Esc in the log started nothing"


def roll_and_read(program, entry):
    roll(program, entry)
    wait_for(lambda: program.idle() and program.text("Stats"), "the results")
    faces, counts = results(program)
    check_agree(faces, counts)
    return faces, counts


def case_hundred_throws(program):
    faces, counts = roll_and_read(program, "100")
    check(len(faces) == 100, "100 log lines, not %d" % len(faces))
    check(sum(counts) == 100, "counts add up to 100")
    percents = [STATS_LINE.match(l).group(2) for l in program.text("Stats").split("\n") if l]
    check(percents == [str(c) for c in counts], "percentages equal counts: %s" % percents)
    program.screenshot("results")
    return "100 lines, counts %s agree with the log" % counts


def case_greek_fraction(program):
    faces, _ = roll_and_read(program, "2,7")
    check(len(faces) == 3, "2,7 rounds to 3 throws, not %d" % len(faces))
    return "2,7 typed in a Greek locale made 3 throws"


def case_bad_entry(program):
    roll(program, "abc")
    wait_for(lambda: program.message_boxes() == ["Δώσε Αριθμό"], "the message box")
    program.screenshot("message")
    program.click("Command2")  # the box is modal: this click must go nowhere
    time.sleep(0.5)
    check(program.message_boxes() == ["Δώσε Αριθμό"], "only the one box is open")
    check(program.process.poll() is None, "the program still runs")
    program.keys("Return")  # the box's OK button has the focus
    wait_for(lambda: program.message_boxes() == [], "the box to close")
    wait_for(program.idle, "the idle arrangement")
    check(program.text("NumOfThrows") == "abc", "the entry keeps what was typed")
    check(program.text("DicePool") == "" and program.text("Stats") == "", "empty result boxes")
    return "abc: modal 'Δώσε Αριθμό', a click behind it did nothing, OK closed it, entry kept"


def case_cancel_midway(program):
    roll_by_keyboard(program, "32766", "Command1", "sleep", "0.01", "click", "1")
    wait_for(lambda: program.idle() and program.text("Stats"), "the results")
    faces, counts = results(program)
    check(len(faces) < 32766, "the run was cancelled (%d throws)" % len(faces))
    check_agree(faces, counts)
    program.screenshot("cancelled")
    return "cancel click stopped the run after %d throws; counts agree" % len(faces)


def case_exit_during_run(program):
    roll_by_keyboard(program, "32766", "Command2", "sleep", "0.005", "click", "1")
    wait_for(lambda: program.message_boxes() == ["Ευχαριστώ Πολύ"], "the thank-you box")
    check(program.showing("Command1") and program.showing("Label3"),
          "the box stands over the running arrangement")
    program.screenshot("running")
    check(program.text("DicePool") == "" and program.text("Stats") == "", "no result written")
    program.keys("Return")
    status = program.exit_status()
    check(status == 0, "exit status %d" % status)
    return "thank-you box over the running arrangement, no result written, exit status 0"


def case_close_during_run(program):
    roll_by_keyboard(program, "32766", "Command2")
    program.close_from_title_bar()
    status = program.exit_status()
    check(status == 0, "exit status %d" % status)
    leftover = marked_processes()
    check(leftover == [], "no process left: %s" % leftover)
    return "closed from the title bar during a run: ended with status 0, no process left"


def main():
    case = globals().get("case_" + CASE)
    if case is None:
        sys.exit("no such case: " + CASE)
    program = Program()
    failed = False
    try:
        observed = case(program)
        print("PASS %s: %s" % (CASE, observed))
    except Failure as failure:
        failed = True
        try:
            program.screenshot("failure")
        except Exception:  # the screen may be gone with the program
            pass
        print("FAIL %s: %s" % (CASE, failure))
    finally:
        program.stop()
    if failed:
        print("exit status %s; the program's output:" % program.process.returncode)
        with open(os.path.join(ARTIFACTS, CASE + ".log")) as log:
            print(log.read()[-4000:])
        sys.exit(1)


if __name__ == "__main__":
    main()
