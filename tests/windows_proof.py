#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build's proof under Wine, run by scripts/windows in an X server of its own (with
# CACHE, DIST, MSI, NEWER (the same files as the next version), WINEPREFIX and a Greek locale in
# the environment): the installer refuses Windows 7; then, as Windows 10, the cross-built unit
# suite, and the window suite at three display scalings; then what only Windows shows: the
# installer installs silently, the installed quilvane.exe starts and its exit button ends it with
# status 0, NEWER installs over it, the older one is then refused, and the silent uninstall
# leaves no folder, entry or Start-menu shortcut. The suites' reports and the installer's logs
# go to DIST.
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


def installed():  # what of the program is there: its entries' versions, its folder, its shortcut
    keys = run("wine", "reg", "query", UNINSTALL, "/s").stdout.replace("\r", "").split("\n\n")
    return [[re.search(r"DisplayVersion\s+REG_SZ\s+(\S+)", key)[1] for key in keys
             if re.search(r"DisplayName\s+REG_SZ\s+Quilvane$", key, re.M)],
            os.path.exists(PROGRAM),
            bool(glob.glob(os.path.join(DRIVE_C, "**", "Quilvane.lnk"), recursive=True))]


def msiexec(action, name, msi, wanted):  # a silent msiexec, logged into DIST: whether it failed
    # (Wine keeps an exit code's low byte only), whether a launch condition refused it, and what
    # is then installed, against what is wanted
    log = os.path.join(DIST, "msiexec-%s.log" % name)
    paths = [run("winepath", "-w", path).stdout.strip() for path in (os.environ[msi], log)]
    failed = run("wine", "msiexec", action, paths[0], "/qn", "/l*v", paths[1]).returncode != 0
    refused = "LaunchConditions. Return value 0" in open(log, errors="replace").read().replace("\0", "")
    check((got := [failed, refused, installed()]) == wanted, "%s, %s: %s" % (name, msi, got))


version, newer = (os.path.basename(os.environ[msi]).split("-")[1] for msi in ("MSI", "NEWER"))
run("wineboot", "--init")
run("wineserver", "--wait")
# Debian 12's Wine 8.0 makes a prefix as Windows 7, which the installer refuses with its launch
# condition, installing nothing; from then on, Windows 10.
msiexec("/i", "windows7", "MSI", [True, True, [[], False, False]])
run("wine", "winecfg", "/v", "win10")
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

msiexec("/i", "install", "MSI", [False, False, [[version], True, True]])

# The installed program starts (so the shipped libraries are complete), and its exit button and
# the thank-you box end it with status 0.
program = subprocess.Popen(["wine", "quilvane.exe"], cwd=PROGRAM)
deadline = time.monotonic() + 30
while not (window := run("xdotool", "search", "--onlyvisible", "--name", "^Quilvane$").stdout):
    assert time.monotonic() < deadline, "the installed program shows no window"
    time.sleep(0.2)
time.sleep(2)  # Wine maps the window before the program has painted it
# The middle of the exit button at 96 dpi: Command2's place in DiceDesign.h, (4680 + 1215 / 2,
# 3000 + 615 / 2) twips at 15 twips a pixel.
run("xdotool", "mousemove", "--window", window.split()[0], 352, 220, "click", "1")
time.sleep(1)
run("xdotool", "key", "Return")
status = program.wait(30)
check(status == 0, "the installed program starts, and its exit button ends it with status %s" % status)

# The next version replaces this one, which is then refused over it; the uninstall leaves no
# entry, folder or shortcut.
msiexec("/i", "upgrade", "NEWER", [False, False, [[newer], True, True]])
msiexec("/i", "downgrade", "MSI", [True, True, [[newer], True, True]])
msiexec("/x", "uninstall", "NEWER", [False, False, [[], False, False]])
