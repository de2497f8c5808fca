#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build's proof under Wine, run by scripts/windows in an X server of its own (with
# CACHE, DIST, MSI, WINEPREFIX and a Greek locale in the environment): the cross-built unit
# suite, and the window suite at three display scalings; then what only Windows shows: the
# installer installs silently, the installed quilvane.exe starts and its exit button ends it with
# status 0, and the silent uninstall leaves no folder, entry or Start-menu shortcut. The suites'
# reports and the installer's logs go to DIST.
import glob, os, re, subprocess, time  # noqa: E401

STAGE, DIST = os.path.join(os.environ["CACHE"], "stage"), os.environ["DIST"]
DRIVE_C = os.path.join(os.environ["WINEPREFIX"], "drive_c")
PROGRAM = os.path.join(DRIVE_C, "Program Files", "Quilvane")
UNINSTALL = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"


def run(*args, **kwargs):
    return subprocess.run(list(map(str, args)), capture_output=True, text=True, **kwargs)


def check(condition, what):
    assert condition, what
    print("ok:", what, flush=True)


def msiexec(action, log):  # Wine's exit status of a silent msiexec, logged into DIST
    paths = [run("winepath", "-w", path).stdout.strip() for path in (os.environ["MSI"], log)]
    return run("wine", "msiexec", action, paths[0], "/qn", "/l*v", paths[1]).returncode


def installed():  # what of the program is there: its entry, its folder and its shortcut
    programs = run("wine", "reg", "query", UNINSTALL, "/s").stdout
    entry = re.search(r"DisplayName\s+REG_SZ\s+Quilvane$", programs, re.M)
    return [bool(entry), os.path.exists(PROGRAM),
            bool(glob.glob(os.path.join(DRIVE_C, "**", "Quilvane.lnk"), recursive=True))]


run("wineboot", "--init")
run("wineserver", "--wait")

# The unit suite, and the window suite at 100, 125 and 150 % display scaling, on Qt's Windows
# platform (its default there). Under Wine a test program's output only reaches a file.
passed = []
# (96 last: the installed program below is driven at 100 %)
for suite, dpi in ("tst_window", 120), ("tst_window", 144), ("tst_quilvane", 96), ("tst_window", 96):
    for key in r"HKCU\Control Panel\Desktop", \
            r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts":
        run("wine", "reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", dpi, "/f")
    run("wineserver", "--wait")
    report = os.path.join(DIST, "%s-%d.txt" % (suite, dpi))
    result = run("wine", suite + ".exe", "-o", report + ",txt", cwd=os.path.join(STAGE, "tests"))
    print(open(report, encoding="utf-8").read() if os.path.exists(report) else result.stderr)
    passed.append(result.returncode == 0)
    print("%s under Wine at %d dpi: %s" % (suite, dpi, "passed" if passed[-1] else "FAILED"))
check(all(passed), "the suites pass under Wine")

status = msiexec("/i", os.path.join(DIST, "msiexec-install.log"))
check((there := installed()) == [True] * 3 and status == 0,
      "the installer installs silently (status %d): entry, folder, shortcut %s" % (status, there))

# The installed program starts (so the shipped libraries are complete), and its exit button and
# the thank-you box end it with status 0.
program = subprocess.Popen(["wine", "quilvane.exe"], cwd=PROGRAM)
deadline = time.monotonic() + 30
while not (window := run("xdotool", "search", "--onlyvisible", "--name", "^Quilvane$").stdout):
    assert time.monotonic() < deadline, "the installed program shows no window"
    time.sleep(0.2)
time.sleep(2)  # Wine maps the window before the program has painted it
run("xdotool", "mousemove", "--window", window.split()[0], 352, 220, "click", "1")
time.sleep(1)
run("xdotool", "key", "Return")
status = program.wait(30)
check(status == 0, "the installed program starts, and its exit button ends it with status %s" % status)

status = msiexec("/x", os.path.join(DIST, "msiexec-uninstall.log"))
check((there := installed()) == [False] * 3 and status == 0,
      "the silent uninstall (status %d) leaves no entry, folder or shortcut: %s" % (status, there))
