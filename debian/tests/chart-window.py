# SPDX-License-Identifier: MIT
"""Starts the installed program, presses on its chart with the mouse (xdotool)
and reads the figures through AT-SPI as a screen reader does. Prints one
"ok:" or "FAIL:" line per check; exits 1 on any failure.

    chart-window.py PROGRAM      (inside an X server with the accessibility bus)
"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests"))
import atspi_test as at  # noqa: E402  (the helpers of the screen-reader test)


def main(program):
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    app_process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT)
    try:
        app = at.wait_for(at.find_app, 30)
        at.report(app is not None, "the installed program is on the AT-SPI bus")
        if app is None:
            return
        frame = at.wait_for(lambda: at.find_frame(app, " Air End : KRTd258"), 30)
        at.report(frame is not None, "its chart window is found")
        if frame is None:
            return
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^ Air End : KRTd258$"],
                                capture_output=True, text=True, timeout=30).stdout.split()
        at.report(bool(window), "its chart window is mapped")
        if not window:
            return
        speed = at.figure(frame, "nHR (1/min) :")
        power = at.control(frame, at.pyatspi.ROLE_TEXT, "PK (kW) :")
        # A press on chart pixel (200, 112): the chart's inner area starts at
        # (33, 25) in the window. The speed goes to 1500 + 10 x 223 and the
        # power to that of row 112.
        subprocess.run(["xdotool", "mousemove", "--sync", "--window", window[0], str(33 + 200), str(25 + 112),
                        "click", "1"], check=True, timeout=30)
        heard = at.wait_for(lambda: at.name(speed) == "nHR (1/min) : 3730", 10)
        at.report(heard, "after the press the speed reads nHR (1/min) : 3730", at.name(speed))
        shown = at.wait_for(lambda: at.text_of(at.fresh(power)) == "37.7", 10)
        at.report(shown, "and the power box holds 37.7", at.text_of(at.fresh(power)))
    finally:
        app_process.terminate()
        app_process.wait(10)


if __name__ == "__main__":
    main(sys.argv[1])
    sys.exit(1 if at.failures else 0)
