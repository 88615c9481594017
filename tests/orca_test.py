# SPDX-License-Identifier: MIT
# What a blind user hears: the program and the Orca screen reader in a
# session of their own (tests/session.sh --x --atspi --speech), worked with
# keys and presses sent by xdotool, and what Orca says checked step by step.
#   session.sh --x --atspi --speech -- python3 orca_test.py PROGRAM OUTDIR QT_VERSION
# Each step waits (with a bound) until speech-dispatcher has been told its
# last expected utterance. The checks read Orca's own record of what it sent
# to speech (its debug file's SPEECH OUTPUT lines), which is complete once
# Orca has ended; speech-dispatcher's log can miss an utterance that the
# next one cut short.
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from datetime import datetime

program, out = sys.argv[1], sys.argv[2]
shutil.rmtree(out, ignore_errors=True)
# The Qt the program was built with: before 6.8 its bridge gives a scroll
# bar no value text, and Orca says the bare position before the quantity.
qt = tuple(int(p) for p in sys.argv[3].split(".")[:2])
# Orca's own release: "43.1", or "Orca version 51.1, AT-SPI2 version: ...".
orca_release = int(re.search(r"(\d+)\.", subprocess.run(["orca", "--version"], capture_output=True,
                                                         text=True).stdout).group(1))
os.makedirs(out, exist_ok=True)
spoken_log = os.environ["SPEECH_LOG"]
failures = []
deadline = time.monotonic() + 240  # within CTest's 300 s, with time to end Orca
# Ended by the session (SIGTERM), the program and Orca are ended too.
signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))


def report(ok, what, detail=""):
    print(("ok: " if ok else "FAIL: ") + what + ("" if ok or not detail else f" ({detail})"), flush=True)
    if not ok:
        failures.append(what)


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True, timeout=60).stdout.strip()


def norm(text):
    """What is compared: Orca 49 and later drop the blank before a colon."""
    return re.sub(r"\s+:", ":", " ".join(text.split()))


def spoken():
    with open(spoken_log, encoding="utf-8", errors="replace") as f:
        return [line.strip() for line in f]


def wait_for_speech(text, since, seconds=30):
    """Waits until speech-dispatcher has been told text (or one of a tuple of
    texts) after line since."""
    texts = text if isinstance(text, tuple) else (text,)
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if any(norm(t) in norm(line) for line in spoken()[since:] for t in texts):
            return True
        time.sleep(0.05)
    return False


def settle(quiet=1.5, seconds=20):
    """Waits until nothing more has been said for quiet seconds. Silence has
    no event of its own: what Orca says of a step is taken to be complete
    once it has said nothing for that long (its own pauses between the
    utterances of one event are far shorter)."""
    end = time.monotonic() + seconds
    count, last = len(spoken()), time.monotonic()
    while time.monotonic() < end:
        time.sleep(0.05)
        now = len(spoken())
        if now != count:
            count, last = now, time.monotonic()
        elif time.monotonic() - last >= quiet:
            return


# The program first, then Orca, which reads the running program's window.
program_log = open(os.path.join(out, "program.log"), "w")
# Each ends should this script be killed outright.
orphanless = ["setpriv", "--pdeathsig", "TERM", "--"]
app = subprocess.Popen(orphanless + [program], stdout=program_log, stderr=subprocess.STDOUT,
                       env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1"))
window = xdotool("search", "--sync", "--onlyvisible", "--limit", "1", "--name", "^ Air End : KRTd258$")

# Orca refuses to start beside another Orca of the same user, which it finds
# with pgrep; this one works on its own session's buses and must not see (or
# be turned away by) one in another session, so its pgrep finds none.
bin_dir = os.path.join(out, "bin")
os.makedirs(bin_dir, exist_ok=True)
with open(os.path.join(bin_dir, "pgrep"), "w") as f:
    f.write("#!/bin/sh\nexit 1\n")
os.chmod(os.path.join(bin_dir, "pgrep"), 0o755)
debug_file = os.path.join(out, "orca.debug")
orca_log = open(os.path.join(out, "orca.log"), "w")
launched = datetime.now()
orca = subprocess.Popen(orphanless + ["orca", "--debug-file=" + debug_file, "-u", os.path.join(out, "prefs")],
                        stdout=orca_log, stderr=subprocess.STDOUT,
                        env=dict(os.environ, PATH=bin_dir + ":" + os.environ["PATH"]))

steps = []  # (name, start time, expectations)


def step(name, action, last, expect=(), once=(), never=(), silent=False, quiet=3, from_launch=False):
    """Runs action; waits until last is said (or, with silent, for quiet);
    the checks on what was said in the step are made at the end. A step
    from_launch counts what Orca said since it was started."""
    if time.monotonic() > deadline or orca.poll() is not None:
        raise RuntimeError(f"{name}: " + ("out of time" if orca.poll() is None else "Orca has ended"))
    since = 0 if from_launch else len(spoken())
    start = launched if from_launch else datetime.now()
    action()
    if silent:
        settle(quiet=quiet)
    else:
        # Only a wait: what counts is Orca's own record, checked at the end.
        if not wait_for_speech(last, since):
            print(f"  ({name}: '{last}' not heard within the bound; spoken: {spoken()[since:]})", flush=True)
        settle()
    steps.append((name, start, list(expect) + ([last] if last else []), list(once), list(never), silent))


def key(*keys):
    return lambda: [xdotool("key", k) for k in keys]


def press(x, y, button=1):
    # The chart's pixel (x, y): the chart lies at (33, 25) in the window.
    return lambda: xdotool("mousemove", "--window", window, str(33 + x), str(25 + y), "click", str(button))


def drag(points, button=3):
    # The moves go 0.1 s apart: Qt merges the motion events it finds queued
    # together into one, and each point is to reach the program as a move of
    # its own. The program's answer (the cross-hair moved, nothing said until
    # the release) is not seen by this script, which hears only Orca; what
    # was said meanwhile is checked at the end of the step.
    def run():
        xdotool("mousemove", "--window", window, str(33 + points[0][0]), str(25 + points[0][1]))
        xdotool("mousedown", str(button))
        for x, y in points[1:]:
            time.sleep(0.1)
            xdotool("mousemove", "--window", window, str(33 + x), str(25 + y))
        time.sleep(0.1)
        xdotool("mouseup", str(button))
    return run


def type_into(x, y, text):
    # Clicks a box (window coordinates), selects its text and types over it.
    return lambda: [xdotool("mousemove", "--window", window, str(x), str(y), "click", "1"),
                    xdotool("key", "ctrl+a"), xdotool("type", "--delay", "50", text)]


try:
    report(wait_for_speech("Screen reader on", 0, 60), "Orca starts and speaks")
    # Orca names the window, or reads the box that has the focus, or both,
    # depending on its release and on the order the two events come in (Orca
    # 48 says the window alone; Orca 43 under load once said the box alone).
    # The window may also become active while Orca starts: what was said is
    # counted from Orca's start. The window's name is checked over AT-SPI.
    step("the window gets the focus", lambda: xdotool("windowfocus", "--sync", window),
         ("Air End : KRTd258", "PK (kW) :"), from_launch=True)
    step("Tab to the speed bar", key("Tab"), "Air-end speed nHR scroll bar")
    bare = ["1"] if qt >= (6, 8) else []
    step("Right on the speed bar", key("Right"), "1510 1/min", once=["1510 1/min"], never=bare)
    step("End on the speed bar", key("End"), "6000 1/min", once=["6000 1/min"], never=["450"] if bare else [])
    point = "3730 1/min, 37.7 kW, 6.4 bar, Q1 7.0 m3/min @ 7 bar"
    step("a press on the chart", press(200, 112), point, once=[point],
         expect=["Speed, power, pressure and delivery inside the chart again"])
    dragged = "4290 1/min, 45.0 kW, 6.5 bar, Q1 8.1 m3/min @ 7 bar"
    step("a drag on the chart, said when released", drag([(210, 120), (230, 110), (250, 90)]), dragged,
         once=[dragged], never=["3840 1/min", "4070 1/min"])
    step("the same press again: nothing moves", press(250, 90), "", silent=True, never=["1/min"])
    # Upper Calculate: 30 kW at 8.5 bar.
    # What Orca echoes of typing differs from version to version.
    step("30 typed into the power box", type_into(600, 25, "30"), "", silent=True, quiet=1.5)
    step("8.5 typed into the pressure box", type_into(600, 73, "8.5"), "", silent=True, quiet=1.5)
    found = "2740 1/min, 30.0 kW, 8.5 bar, Q1 5.0 m3/min @ 7 bar"
    step("Return on the upper Calculate", lambda: [xdotool("key", "Tab"), xdotool("key", "Return")], found,
         once=[found])
    step("Return again: nothing moves", key("Return"), "", silent=True, never=["1/min"])
    # A figure that gets the focus is read whole, not "30. selected".
    step("back to the power box", key("shift+Tab", "shift+Tab", "shift+Tab"), "PK (kW) :", expect=["30.0 selected"])
    step("on to the upper Calculate", key("Tab", "Tab", "Tab"), "Calculate speed from power and pressure")
    # Lower Calculate: a motor of 1450 1/min, pulleys of 250 and 100.
    step("1450 typed into the motor speed", type_into(600, 193, "1450"), "", silent=True, quiet=1.5)
    step("250 typed into the motor pulley", type_into(600, 217, "250"), "", silent=True, quiet=1.5)
    step("100 typed into the air-end pulley", type_into(600, 241, "100"), "", silent=True, quiet=1.5)
    belt = "3620 1/min, 30.0 kW, 4.0 bar, Q1 6.9 m3/min @ 4 bar"
    step("Return on the lower Calculate", lambda: [xdotool("key", "Tab"), xdotool("key", "Return")], belt,
         once=[belt], expect=["Pressure and delivery outside what the chart covers"])
    # Flat review, from the focused button's line up to the top: each caption
    # is read once, with its figure. (Orca 51's flat review was seen reading
    # the boxes' text alone, line by line; it too never reads a caption twice.)
    review = ["nHR (1/min) : 3620", "45 Q1 (m3/min) : 6.9 @ 4 bar", "PK (kW) : 30.0"] if orca_release < 51 else []
    step("flat review, line by line upward", key("KP_Up", *["KP_Home"] * 16), "", silent=True,
         expect=review, never=["nHR (1/min) : nHR", "Q1 (m3/min) : Q1"])
except RuntimeError as e:
    report(False, str(e))
finally:
    # Orca acts on SIGTERM at its next accessibility event: one is raised;
    # then it writes out its debug file as it ends.
    orca.send_signal(signal.SIGTERM)
    try:
        xdotool("key", "shift")
        orca.wait(20)
    except (subprocess.TimeoutExpired, subprocess.CalledProcessError):
        orca.kill()
        orca.wait()
        report(False, "Orca ends on SIGTERM")
    app.terminate()
    try:
        app.wait(10)
    except subprocess.TimeoutExpired:
        app.kill()
        app.wait()

# What Orca sent to speech, with the time it did.
said = []
with open(debug_file, encoding="utf-8", errors="replace") as f:
    for line in f:
        m = re.match(r"(\d\d:\d\d:\d\d\.\d+) - SPEECH OUTPUT: '(.*?)' ?(?:\[?\{.*\}\]?)?$", line)
        if m:
            said.append((m.group(1), m.group(2).strip()))


def utterances(start, end):
    t0 = start.strftime("%H:%M:%S.%f")
    t1 = end.strftime("%H:%M:%S.%f") if end else "99"
    # Orca's "notification" (Qt before 6.8) and full stops are not part of
    # what the program says.
    return [norm(re.sub(r"^notification ", "", u).rstrip(".")) for t, u in said if t0 <= t < t1]


for i, (name, start, expect, once, never, silent) in enumerate(steps):
    end = steps[i + 1][1] if i + 1 < len(steps) else None
    heard = utterances(start, end)
    print(f"  {name}: {heard}")
    for e in expect:
        alternatives = tuple(map(norm, e if isinstance(e, tuple) else (e,)))
        report(any(a in u for u in heard for a in alternatives),
               f"{name}: " + " or ".join(f"'{a}'" for a in alternatives) + " is said", heard)
    for o in map(norm, once):
        report(sum(u == o or u.startswith(o + ".") for u in heard) == 1, f"{name}: '{o}' is said once", heard)
    for n in map(norm, never):
        report(not any(u == n or (len(n) > 3 and n in u) for u in heard), f"{name}: '{n}' is not said", heard)

print(f"orca test: {len(failures)} failed")
sys.exit(1 if failures else 0)
