#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the figures of a full benchmark run into docs/benchmarks.md, in
place of what stands between its figure markers, from the results Google
Benchmark wrote as JSON. The file is left as it was when a result is
missing or a benchmark failed.

  bench-figures.py DOC RESULTS KEY=VALUE...

RESULTS is a folder with repaint.json, repaint.err (what bench_repaint
printed for each widget), startup-plain.json, startup-gtk.json and
evaluation.json. The KEY=VALUE pairs describe the run: date, commit, cpu,
cores, system, qt, compiler, build, repetitions, min_time (seconds), and
dirty=1 where the tree had changes not committed.
"""

import json
import os
import re
import sys

BEGIN = "<!-- figures: written by scripts/bench.sh -->"
END = "<!-- end of figures -->"
KEYS = ("date", "commit", "cpu", "cores", "system", "qt", "compiler", "build", "repetitions", "min_time")
UNIT_SECONDS = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


class Failure(Exception):
    pass


def load(path):
    """The figures of each benchmark in a JSON result, by its name: the
    median where there were repetitions, else the one run."""
    try:
        with open(path, encoding="utf-8") as f:
            data = json.load(f)
    except (OSError, ValueError) as e:
        raise Failure(f"cannot read {path}: {e}") from e
    medians, single = {}, {}
    for run in data.get("benchmarks", []):
        # Manual timing adds "/manual_time" to the name.
        name = run.get("run_name", run.get("name", "")).removesuffix("/manual_time")
        if run.get("error_occurred") or run.get("skipped"):
            message = run.get("error_message") or run.get("skip_message") or "no reason given"
            raise Failure(f"{path}: {name} failed: {message}")
        if run.get("run_type") == "aggregate":
            if run.get("aggregate_name") == "median":
                medians[name] = run
        else:
            single.setdefault(name, []).append(run)
    for name, runs in single.items():
        if name not in medians and len(runs) == 1:
            medians[name] = runs[0]
    return medians


def figure(results, name, key, path):
    run = results.get(name)
    if run is None:
        raise Failure(f"{path}: no result for {name}")
    if key in ("real_time", "cpu_time"):
        unit = run.get("time_unit", "ns")
        if unit not in UNIT_SECONDS or key not in run:
            raise Failure(f"{path}: {name} has no {key} in a known unit")
        return run[key] * UNIT_SECONDS[unit]
    if key not in run:
        raise Failure(f"{path}: {name} has no counter {key}")
    return float(run[key])


def duration(seconds):
    """Three significant figures in the largest unit that keeps one whole."""
    for unit, scale in (("s", 1.0), ("ms", 1e-3), ("µs", 1e-6)):
        if seconds >= scale:
            return f"{seconds / scale:.3g} {unit}"
    return f"{seconds / 1e-9:.3g} ns"


def count(value):
    return f"{round(value):,}"


def table(header, rows):
    lines = ["| " + " | ".join(header) + " |", "|" + "---|" * len(header)]
    lines += ["| " + " | ".join(row) + " |" for row in rows]
    return "\n".join(lines)


def painted_per_widget(path):
    """What bench_repaint printed: for each window, the logical pixels each
    widget painted per move."""
    windows = {}
    current = None
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            for line in f:
                heading = re.match(r"^(\S+), logical pixels painted per move:$", line.rstrip("\n"))
                if heading:
                    current = windows.setdefault(heading.group(1), {})
                    current.clear()
                    continue
                row = re.match(r"^  (\S+)\s+([0-9.]+)$", line.rstrip("\n"))
                if row and current is not None:
                    current[row.group(1)] = float(row.group(2))
                else:
                    current = None
    except OSError as e:
        raise Failure(f"cannot read {path}: {e}") from e
    if not windows:
        raise Failure(f"{path}: bench_repaint printed no pixels per widget")
    return windows


def generate(results, about):
    out = []
    commit = f"`{about['commit']}`"
    if about.get("dirty") == "1":
        commit += " with changes not committed"
    out.append(
        f"Measured on {about['date']} by `./scripts/bench.sh` at commit {commit}, on {about['cpu']} "
        f"({about['cores']} cores), {about['system']}, Qt {about['qt']}, {about['compiler']}, "
        f"{about['build']} build: medians of {about['repetitions']} repetitions of at least "
        f"{about['min_time']} s each, randomly interleaved."
    )

    path = os.path.join(results, "repaint.json")
    repaint = load(path)
    subjects = [("chart window", "BM_RepaintedMove/chart_window"), ("plain Qt window", "BM_RepaintedMove/plain_window")]
    rows = [
        ["time (wall)"] + [duration(figure(repaint, n, "real_time", path)) for _, n in subjects],
        ["processor time"] + [duration(figure(repaint, n, "cpu_time", path)) for _, n in subjects],
        ["logical pixels painted"] + [count(figure(repaint, n, "painted_px", path)) for _, n in subjects],
        ["window pixels that changed"] + [count(figure(repaint, n, "changed_px", path)) for _, n in subjects],
        ["painted / changed"] + [f"{figure(repaint, n, 'painted/changed', path):.1f}" for _, n in subjects],
    ]
    out.append("A repainted move (offscreen, scale 1):")
    out.append(table(["per move"] + [s for s, _ in subjects], rows))

    windows = painted_per_widget(os.path.join(results, "repaint.err"))
    # The chart window first, its widgets by what they paint, most first.
    names = sorted(windows, key=lambda w: ("Plain" in w, w))
    first = windows[names[0]]
    widgets = sorted(
        {w for window in windows.values() for w in window},
        key=lambda w: (w not in first, -max(windows[n].get(w, 0) for n in names), w),
    )
    rows = [[f"`{w}`"] + [count(windows[n][w]) if w in windows[n] else "" for n in names] for w in widgets]
    out.append("Logical pixels each widget paints per move:")
    out.append(table(["widget"] + [f"`{n}`" for n in names], rows))

    subjects = [
        ("chart window", "BM_StartUp/chart_window"),
        ("bare window", "BM_StartUp/bare_window"),
        ("bare window with one line of text", "BM_StartUp/bare_window_with_text"),
    ]
    rows = []
    for theme, file in (("no platform theme", "startup-plain.json"), ("GNOME's GTK theme", "startup-gtk.json")):
        path = os.path.join(results, file)
        startup = load(path)
        rows.append([f"Xvfb, {theme}: first frame"] + [duration(figure(startup, n, "real_time", path)) for _, n in subjects])
        rows.append(["child's processor time"] + [duration(figure(startup, n, "child_cpu_ms", path) / 1e3) for _, n in subjects])
        rows.append(["peak memory (KiB)"] + [count(figure(startup, n, "peak_memory_KiB", path)) for _, n in subjects])
    out.append("Start-up to the first painted frame (memory: the peak resident size):")
    out.append(table([""] + [s for s, _ in subjects], rows))

    path = os.path.join(results, "evaluation.json")
    evaluation = load(path)
    subjects = [
        ("a move of the vertical bar (`BM_VerticalMove`)", "BM_VerticalMove"),
        ("the upper Calculate (`BM_SpeedFromPower`)", "BM_SpeedFromPower"),
    ]
    rows = [
        [s, duration(figure(evaluation, n, "real_time", path)), duration(figure(evaluation, n, "cpu_time", path))]
        for s, n in subjects
    ]
    out.append("The evaluation behind a move, without painting (offscreen):")
    out.append(table(["", "time (wall)", "processor time"], rows))
    return "\n\n".join(out) + "\n"


def main(argv):
    if len(argv) < 3:
        raise Failure("usage: bench-figures.py DOC RESULTS KEY=VALUE...")
    doc, results = argv[1], argv[2]
    about = dict(a.split("=", 1) for a in argv[3:] if "=" in a)
    missing = [k for k in KEYS if not about.get(k)]
    if missing:
        raise Failure("the run is not described: no " + ", ".join(missing))
    with open(doc, encoding="utf-8") as f:
        text = f.read()
    if text.count(BEGIN) != 1 or text.count(END) != 1 or text.index(BEGIN) > text.index(END):
        raise Failure(f"{doc} has not one '{BEGIN}' followed by one '{END}'")
    before, rest = text.split(BEGIN, 1)
    after = rest.split(END, 1)[1]
    figures = generate(results, about)
    new = before + BEGIN + "\n" + figures + "\n" + END + after
    temporary = doc + ".new"
    with open(temporary, "w", encoding="utf-8") as f:
        f.write(new)
    os.replace(temporary, doc)
    print(f"figures written to {doc}")


if __name__ == "__main__":
    try:
        main(sys.argv)
    except Failure as e:
        print(f"bench-figures.py: {e}", file=sys.stderr)
        sys.exit(1)
