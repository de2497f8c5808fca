# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What a run's results must say, read back as lines of text: by the end-to-end suite through the
# accessibility tree, and by the Windows build's proof through the clipboard.
import re, struct, time  # noqa: E401

LOG_LINE = re.compile(r"Ρίξιμο (\d+)ο: ([1-6])")
STATS_LINE = re.compile(r"(\S+) βγήκαν: (\d+) φορές\. Ποσοστό:([\d,]+)( ?%)")
FACES = ["Άσοι", "Δύο", "Τρία", "Τεσσάρια", "Πεντάρια", "Εξάρια"]
SIGNS = ["%", " %", "%", "%", "%", "%"]


def share(count, made):  # a face's percentage as a single, in seven digits, Greek separator
    value = struct.unpack("f", struct.pack("f", count / made * 100))[0] if made else 0
    return ("%.7g" % value).replace(".", ",")


def made(log_lines, stats_lines):
    # The number of throws in the results, once each line is checked: the log numbered from 1,
    # and the statistics' labels, counts, percentages and signs as the log has them. From 60
    # throws on, the faces must also pass a chi-square test: 35.9 is the 5-degree-of-freedom
    # value at p = 1e-6.
    log = [LOG_LINE.fullmatch(line) for line in log_lines]
    stats = [STATS_LINE.fullmatch(line) for line in stats_lines]
    faces = [int(m[2]) for m in log if m]
    if [m and int(m[1]) for m in log] != list(range(1, len(log) + 1)) or [
            m and m.group(1, 2, 3, 4) for m in stats] != [
            (FACES[f], str(faces.count(f + 1)), share(faces.count(f + 1), len(log)), SIGNS[f])
            for f in range(6)]:
        raise AssertionError("results that disagree:\n" + "\n".join(stats_lines))
    if len(log) >= 60 and sum((faces.count(f) - len(log) / 6) ** 2 for f in range(1, 7)) > \
            35.9 * len(log) / 6:
        raise AssertionError("faces too uneven for a fair die:\n" + "\n".join(stats_lines))
    return len(log)


def wait_for(what, produce, timeout=20.0):  # what produce gives, once it gives something true
    deadline = time.monotonic() + timeout
    while not (result := produce()):
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.05)
    return result
