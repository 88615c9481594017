# SPDX-License-Identifier: MIT
"""Works the running program through AT-SPI as a screen reader does (pyatspi)
and checks what it hears: the figures with their captions and their changes,
the red figures described, the bars' names and positions, the names of the
pictures and buttons, and both calculations done without mouse or keyboard.
Prints one "ok:" or "FAIL:" line per check; exits 1 on any failure.

    atspi_test.py    (the program must already run, with its AT-SPI bridge on)
"""
import sys
import time

import pyatspi
from gi.repository import GLib

failures = 0
events = []  # (type, source)


def report(good, what, detail=""):
    global failures
    if good:
        print(f"ok: {what}")
    else:
        failures += 1
        print(f"FAIL: {what}" + (f" ({detail})" if detail else ""))
    sys.stdout.flush()


def pump(seconds):
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def wait_for(condition, seconds=5.0):
    """Pumps events until condition() holds; returns its last result."""
    end = time.monotonic() + seconds
    result = condition()
    while not result and time.monotonic() < end:
        pump(0.05)
        result = condition()
    return result


def fresh(acc):
    acc.clear_cache()
    return acc


def name(acc):
    return fresh(acc).name


def description(acc):
    return fresh(acc).description


def position(bar):
    """A bar's position in its quantity: its value text (the valuetext
    attribute, Qt 6.8 on) or else its description."""
    acc = fresh(bar)
    return acc.getAttributes() and dict(a.split(":", 1) for a in acc.getAttributes()).get("valuetext") \
        or acc.description


def position_change(bar):
    """The event that tells a bar's new position: a value change where the
    value reads in the quantity, a description change where it does not."""
    valuetext = any(a.startswith("valuetext:") for a in fresh(bar).getAttributes())
    if valuetext:
        return heard("object:property-change:accessible-value", bar) or heard("object:value-changed", bar)
    return heard("object:property-change:accessible-description", bar)


def text_of(acc):
    t = acc.queryText()
    return t.getText(0, t.characterCount)


def walk(acc, depth=0):
    if acc is None or depth > 12:
        return
    yield acc
    for i in range(acc.childCount):
        yield from walk(acc.getChildAtIndex(i), depth + 1)


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == "krtd258":
            return app
    return None


def find_frame(app, title):
    for i in range(app.childCount):
        child = app.getChildAtIndex(i)
        if child is not None and child.name == title:
            return child
    return None


def control(root, role, name_wanted=None, prefix=None):
    for acc in walk(root):
        if acc.getRole() != role:
            continue
        n = acc.name
        if (name_wanted is not None and n == name_wanted) or (prefix is not None and n.startswith(prefix)):
            return acc
    return None


def figure(root, caption):
    """The label that shows a figure: the one its caption labels (the caption
    itself reads the same until the figure is first shown)."""
    for acc in walk(root):
        if acc.getRole() != pyatspi.ROLE_LABEL or not acc.name.startswith(caption):
            continue
        for relation in acc.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                return acc
    return None


def on_event(event):
    events.append((event.type, event.source))


def heard(kind, acc):
    """An event of that kind from that control since the events were cleared."""
    return any(kind_.startswith(kind) and source == acc for kind_, source in events)


def main():
    app = wait_for(find_app, 30)
    report(app is not None, "the program is on the AT-SPI bus as krtd258")
    if app is None:
        return
    frame = wait_for(lambda: find_frame(app, " Air End : KRTd258") or find_frame(app, "Air End : KRTd258"), 30)
    report(frame is not None, "the chart window is found")
    if frame is None:
        return

    R = pyatspi
    speed = figure(frame, "nHR (1/min) :")
    delivery = figure(frame, "Q1 (m3/min) :")
    power = control(frame, R.ROLE_TEXT, "PK (kW) :")
    pressure = control(frame, R.ROLE_TEXT, "dif. P (bar) :")
    boxes = [control(frame, R.ROLE_TEXT, n) for n in ("Motor RPM :", "Motor Pulley :", "AirEnd Pulley :")]
    hbar = control(frame, R.ROLE_SCROLL_BAR, "Air-end speed nHR")
    vbar = control(frame, R.ROLE_SCROLL_BAR, "Shaft power PK")
    chart = control(frame, R.ROLE_IMAGE, "Performance chart KRTd258")
    from_power = control(frame, R.ROLE_PUSH_BUTTON, "Calculate speed from power and pressure")
    from_pulleys = control(frame, R.ROLE_PUSH_BUTTON, "Calculate speed from the belt pulleys")
    air_end = control(frame, R.ROLE_PUSH_BUTTON, "Air End")
    close = control(frame, R.ROLE_PUSH_BUTTON, "Close")
    found = dict(speed=speed, delivery=delivery, power=power, pressure=pressure, hbar=hbar, vbar=vbar,
                 chart=chart, from_power=from_power, from_pulleys=from_pulleys, air_end=air_end, close=close,
                 text3=boxes[0], text4=boxes[1], text5=boxes[2])
    missing = [k for k, v in found.items() if v is None]
    report(not missing, "every control is found by its role and name", "missing: " + ", ".join(missing))
    if missing:
        return

    report(name(speed) == "nHR (1/min) :" and name(delivery) == "Q1 (m3/min) :",
           "before any change the speed and the delivery read as their captions",
           f"{name(speed)!r}, {name(delivery)!r}")
    report(position(hbar) == "1500 1/min", "the speed bar starts at 1500 1/min", position(hbar))
    report(description(chart) != "", "the chart has a description", description(chart))
    report(description(from_power) == "Power, Pressure, RPM" and
           description(from_pulleys) == "Calculate AirEnd RPM for above pulleys",
           "the Calculate buttons keep their tool tips as descriptions")
    v = hbar.queryValue()
    report(v.minimumValue == 0 and v.maximumValue == 450, "the speed bar runs from 0 to 450",
           f"{v.minimumValue} to {v.maximumValue}")

    pyatspi.Registry.registerEventListener(on_event, "object:property-change:accessible-name",
                                           "object:property-change:accessible-description",
                                           "object:property-change:accessible-value", "object:text-changed",
                                           "object:value-changed")
    # The listeners are in place once they hear the program: a first move of
    # the power bar, whose position it describes, heard within 10 s.
    vbar.queryValue().currentValue = 1
    report(wait_for(lambda: position_change(vbar), 10),
           "the listeners hear the program (the power bar's new position)")

    # The bars set through the Value interface.
    events.clear()
    vbar.queryValue().currentValue = 202
    hbar.queryValue().currentValue = 223
    report(wait_for(lambda: name(speed) == "nHR (1/min) : 3730"), "the speed reads with its caption and value",
           name(speed))
    report(wait_for(lambda: heard("object:property-change:accessible-name", speed)),
           "the new speed is announced (name change)")
    report(wait_for(lambda: name(delivery) == "Q1 (m3/min) : 7.0"), "the delivery reads with its caption and value",
           name(delivery))
    report(wait_for(lambda: heard("object:property-change:accessible-name", delivery)),
           "the new delivery is announced (name change)")
    report(position(hbar) == "3730 1/min", "the speed bar tells its position in 1/min", position(hbar))
    report(int(hbar.queryValue().currentValue) == 223, "the speed bar's value is 223")
    report(wait_for(lambda: heard("object:property-change:accessible-value", hbar)
                    or heard("object:value-changed", hbar)), "the speed bar's change is announced")
    report(text_of(pressure) == "8.0", "the pressure box shows 8.0", text_of(pressure))
    report(wait_for(lambda: heard("object:text-changed", pressure)), "the new pressure is announced (text change)")

    events.clear()
    vbar.queryValue().currentValue = 226
    report(wait_for(lambda: text_of(power) == "37.7"), "the power box shows 37.7", text_of(power))
    report(wait_for(lambda: heard("object:text-changed", power)), "the new power is announced (text change)")
    report(wait_for(lambda: position(vbar) == "37.7 kW"), "the power bar tells its position in kW",
           position(vbar))
    report(wait_for(lambda: position_change(vbar)), "the power bar's new position is announced")

    # Red figures: all four at H 400, V 2; black again at H 200, V 202.
    figures = {"power": power, "speed": speed, "pressure": pressure, "delivery": delivery}
    outside = "Outside what the chart covers"
    events.clear()
    vbar.queryValue().currentValue = 2
    hbar.queryValue().currentValue = 400
    for what, acc in figures.items():
        report(wait_for(lambda: description(acc) == outside), f"the red {what} is described as outside the chart",
               description(acc))
        report(wait_for(lambda: heard("object:property-change:accessible-description", acc)),
               f"the {what} turning red is announced")
    events.clear()
    vbar.queryValue().currentValue = 202
    hbar.queryValue().currentValue = 200
    for what, acc in figures.items():
        report(wait_for(lambda: description(acc) == ""), f"the black {what} has no description", description(acc))
        report(wait_for(lambda: heard("object:property-change:accessible-description", acc)),
               f"the {what} turning black is announced")

    # Typing (EditableText) and pressing (Action): speed from power and pressure.
    for acc, value in ((power, "30"), (pressure, "8.5")):
        acc.queryEditableText().setTextContents(value)
    report(text_of(power) == "30" and text_of(pressure) == "8.5", "power and pressure typed through AT-SPI")
    action = from_power.queryAction()
    report(action.getName(0).lower() == "press", "the upper Calculate offers Press", action.getName(0))
    action.doAction(0)
    report(wait_for(lambda: int(hbar.queryValue().currentValue) == 124 and name(speed) == "nHR (1/min) : 2740"),
           "the upper Calculate gives 2740 1/min", name(speed))
    for acc, value in zip(boxes, ("1450", "250", "100")):
        acc.queryEditableText().setTextContents(value)
    report([text_of(b) for b in boxes] == ["1450", "250", "100"], "motor speed and pulleys typed through AT-SPI")
    from_pulleys.queryAction().doAction(0)
    report(wait_for(lambda: int(hbar.queryValue().currentValue) == 212 and name(speed) == "nHR (1/min) : 3620"),
           "the lower Calculate gives 3620 1/min", name(speed))

    # Air End opens the drawing, with its named picture.
    air_end.queryAction().doAction(0)
    drawing = wait_for(lambda: find_frame(app, " KRTd258") or find_frame(app, "KRTd258"), 10)
    report(drawing is not None, "Air End opens the drawing window")
    if drawing is not None:
        picture = control(drawing, R.ROLE_IMAGE, "Dimension drawing KRTd258")
        report(picture is not None and description(picture) != "", "the drawing has a name and a description")

    # Close ends the program (the wrapper checks its exit status).
    close.queryAction().doAction(0)
    print("pressed Close")


if __name__ == "__main__":
    main()
    sys.exit(1 if failures else 0)
