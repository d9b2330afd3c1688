#!/usr/bin/python3
"""Runs every benchmark on a virtual X server (xcb platform), and the Windows build's under
Wine on the same server, and prints one table.
usage: bench/run.py BUILD_DIR [--quick]"""

import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests"))
from harness import XServer  # noqa: E402
from wineprogram import Wine  # noqa: E402

build = sys.argv[1]
quick = "--quick" in sys.argv
bench = os.path.join(build, "bench")
windows = os.path.join(build, "windows")
STARTS = 6 if quick else 30
CONTESTS = 1000 if quick else 10000
CLICKS = 10 if quick else 40


def rows_of(command, env=None):
    """Runs a bench program; its lines are name, median, unit, note (tab-separated)."""
    output = subprocess.run(command, check=True, capture_output=True, text=True, env=env).stdout
    return {name: (float(value), unit, note)
            for name, value, unit, note in (line.split("\t") for line in output.splitlines() if "\t" in line)}


def start_to_paint(program):
    """Start of the process to the end of its window's first paint, as the program reports
    it through a pipe, in seconds; and the whole process's peak resident KiB."""
    read, write = os.pipe()
    began = time.monotonic_ns()
    process = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, pass_fds=[write],
                               env=dict(os.environ, PRINCE_BENCH_PAINTED_FD=str(write)))
    os.close(write)
    with os.fdopen(read) as pipe:
        painted = pipe.readline().strip()
    _, status, usage = os.wait4(process.pid, 0)
    if status != 0 or not painted:
        sys.exit("%s failed" % program)
    return (int(painted) - began) / 1e9, usage.ru_maxrss


def cold_starts(a, b):
    """A and B in turn; medians of each and of the ratios pair by pair."""
    for program in (a, b):
        start_to_paint(program)  # warm the page cache
    pairs = [(start_to_paint(a), start_to_paint(b)) for _ in range(STARTS)]
    wall_a = statistics.median(p[0][0] for p in pairs)
    wall_b = statistics.median(p[1][0] for p in pairs)
    ratio = statistics.median(p[0][0] / p[1][0] for p in pairs)
    rss_a = statistics.median(p[0][1] for p in pairs) / 1024
    rss_b = statistics.median(p[1][1] for p in pairs) / 1024
    return wall_a * 1000, wall_b * 1000, ratio, rss_a, rss_b


def under_wine(work):
    """The Windows benchmarks under Wine, in a private prefix with a persistent Wine server:
    the contest's rows, and start to first paint against an empty window, alternately."""
    wine = Wine(os.path.join(work, "prefix"))
    env = dict(wine.env)
    subprocess.run(["wineserver", "-p"], env=env, check=True)
    # Wine's services start with the first program and keep its output open: started here,
    # apart, they leave the benchmarks' output pipes alone.
    wine.run("wineboot")
    try:
        contest = rows_of(["wine", os.path.join(windows, "bench_win32_contest.exe"), str(CONTESTS // 20)], env)

        def painted(program):
            began = time.monotonic()
            process = subprocess.Popen(["wine", os.path.join(windows, program)], env=env, stdout=subprocess.PIPE,
                                       stderr=subprocess.DEVNULL, text=True)
            if process.stdout.readline().strip() != "painted":
                sys.exit("%s did not paint" % program)
            seconds = time.monotonic() - began
            process.wait()
            return seconds

        def pairs_against(reference):
            for program in ("bench_win32_start.exe", reference):
                painted(program)
            pairs = [(painted("bench_win32_start.exe"), painted(reference)) for _ in range(STARTS)]
            return (statistics.median(a for a, _ in pairs) * 1000, statistics.median(b for _, b in pairs) * 1000,
                    statistics.median(a / b for a, b in pairs))

        start = pairs_against("bench_win32_reference.exe")
        start_text = pairs_against("bench_win32_reference_text.exe")
    finally:
        subprocess.run(["wineserver", "-k"], env=env)
    return contest, start, start_text, os.path.getsize(os.path.join(windows, "prince-trials.exe"))


def main():
    with XServer() as server:
        os.environ.update(DISPLAY=server.name, QT_QPA_PLATFORM="xcb")
        contest = rows_of([os.path.join(bench, "bench_contest"), str(CONTESTS)])
        click = rows_of([os.path.join(bench, "bench_clickpaint"), str(CLICKS)])
        program = os.path.join(bench, "bench_start_program")
        start = cold_starts(program, os.path.join(bench, "bench_start_reference"))
        start_text = cold_starts(program, os.path.join(bench, "bench_start_reference_text"))
        with tempfile.TemporaryDirectory(prefix="wine-", dir=build) as work:
            wine_contest, wine_start, wine_start_text, exe_size = under_wine(work)

    table = []

    def row(name, value, target, met, how):
        table.append((name, value, target, "yes" if met else "NO", how))

    trial = contest["RunTrial"][0]
    row("RunTrial on the window's lists", "%.3f ms" % trial, "< 1 ms", trial < 1, contest["RunTrial"][2])
    reset = contest["ResetPool from decided"][0]
    row("ResetPool from the decided state", "%.3f ms" % reset, "< 1 ms", reset < 1, contest["ResetPool from decided"][2])
    paint = click["Click to painted"][0]
    row("Click on a box to painted window", "%.3f ms" % paint, "< 16.7 ms", paint < 16.7, click["Click to painted"][2])
    wall_a, wall_b, ratio, rss_a, rss_b = start
    row("Start to first paint, vs empty window", "%.1f / %.1f ms = %.3f" % (wall_a, wall_b, ratio), "ratio <= 1.05",
        ratio <= 1.05, "median of %d alternating pairs" % STARTS)
    row("Peak memory, vs empty window", "%.1f / %.1f MiB (+%.1f)" % (rss_a, rss_b, rss_a - rss_b), "<= +5 MiB",
        rss_a - rss_b <= 5, "peak resident set of the whole process")
    wall_a, wall_b, ratio, rss_a, rss_b = start_text
    row("Start to first paint, vs window with one line of text", "%.1f / %.1f ms = %.3f" % (wall_a, wall_b, ratio), "(for reading)",
        True, "the reference also opens the font database")
    row("Peak memory, vs window with one line of text", "%.1f / %.1f MiB (+%.1f)" % (rss_a, rss_b, rss_a - rss_b), "(for reading)",
        True, "")
    growth_name = next(name for name in contest if name.startswith("RSS growth"))
    growth = contest[growth_name][0]
    row("Soak: " + growth_name.replace("RSS growth, contest", "memory growth, contests"), "%.3f MiB" % growth, "< 1 MiB",
        growth < 1, contest[growth_name][2])

    trial = wine_contest["RunTrial"][0]
    row("Windows: RunTrial on the real list boxes (Wine)", "%.3f ms" % trial, "< 1 ms", trial < 1, wine_contest["RunTrial"][2])
    for name in ("Click on a box to its lists redrawn", "Click on the reset button to its lists redrawn"):
        value = wine_contest[name][0]
        row("Windows: " + name[0].lower() + name[1:] + " (Wine)", "%.3f ms" % value, "(for reading)", True, wine_contest[name][2])
    wall_a, wall_b, ratio = wine_start
    row("Windows: start to first paint, vs empty Win32 window (Wine)", "%.1f / %.1f ms = %.3f" % (wall_a, wall_b, ratio),
        "ratio <= 1.10", ratio <= 1.10, "median of %d alternating pairs" % STARTS)
    wall_a, wall_b, ratio = wine_start_text
    row("Windows: start to first paint, vs window with one line of text (Wine)", "%.1f / %.1f ms = %.3f" % (wall_a, wall_b, ratio),
        "(for reading)", True, "the reference also draws text in the program's font")
    row("Windows: prince-trials.exe, stripped", "%d bytes (%.0f KiB)" % (exe_size, exe_size / 1024), "< 1 MiB",
        exe_size < 1 << 20, "PE32, GUI, i386, static runtime")

    widths = [max(len(r[i]) for r in table + [("measure", "median", "target", "met", "notes")]) for i in range(5)]
    line = lambda cells: "| " + " | ".join(c.ljust(w) for c, w in zip(cells, widths)) + " |"
    print(line(("measure", "median", "target", "met", "notes")))
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for r in table:
        print(line(r))


if __name__ == "__main__":
    main()
