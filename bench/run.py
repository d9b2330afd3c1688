"""Runs every benchmark on a virtual X server (xcb platform), and the Windows build's under
Wine on the same server, and prints one table.
usage: bench/run.py BUILD_DIR [--quick] [--wine=WINE]
WINE is 32 (the default), or 64 and why, as for tests/wineprogram.py."""

import gzip
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests"))
from harness import XServer  # noqa: E402
from browsers import Chromium, Firefox  # noqa: E402
from winesession import Wine  # noqa: E402

build = sys.argv[1]
quick = "--quick" in sys.argv
wine_choice = next((a.split("=", 1)[1] for a in sys.argv if a.startswith("--wine=")), "32")
bench = os.path.join(build, "bench")
windows = os.path.join(build, "windows")
ROUNDS = 6 if quick else 30
CONTESTS = 1000 if quick else 10000
CLICKS = 10 if quick else 40


def rows_of(command, env=None):
    """Runs a bench program; its lines are name, median, unit, note (tab-separated)."""
    output = subprocess.run(command, check=True, capture_output=True, text=True, env=env).stdout
    return {name: (float(value), unit, note)
            for name, value, unit, note in (line.split("\t") for line in output.splitlines() if "\t" in line)}


def rounds(programs, start):
    """start(program) for each program once a round, in an order shuffled afresh each round
    (a fixed order biases the figures by up to a fifth here), after one round to warm the
    page cache. Returns each program's figures, round by round."""
    for program in programs:
        start(program)
    shuffler = random.Random(20261208)
    figures = {program: [] for program in programs}
    for _ in range(ROUNDS):
        order = list(programs)
        shuffler.shuffle(order)
        for program in order:
            figures[program].append(start(program))
    return figures


def versus(figures, a, b, index=None):
    """Medians of a and of b, and the median of a / b round by round."""
    pick = (lambda f: f) if index is None else (lambda f: f[index])
    pa, pb = [pick(f) for f in figures[a]], [pick(f) for f in figures[b]]
    return statistics.median(pa), statistics.median(pb), statistics.median(x / y for x, y in zip(pa, pb))


def start_to_paint(program):
    """Start of the process to the end of its window's first paint, as the program reports
    it through a pipe, in ms; and the whole process's peak resident MiB."""
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
    return (int(painted) - began) / 1e6, usage.ru_maxrss / 1024


def under_wine(work):
    """The Windows benchmarks under Wine, in a private prefix with a persistent Wine server:
    the contest's rows, and each program's start to first paint."""
    wine = Wine(os.path.join(work, "prefix"), wine_choice)
    env, tree = dict(wine.env), wine.tree(windows)
    subprocess.run(["wineserver", "-p"], env=env, check=True)
    # Wine's services start with the first program and keep its output open: started here,
    # apart, they leave the benchmarks' output pipes alone.
    wine.run(wine.loader, "wineboot")
    try:
        contest = rows_of([wine.loader, os.path.join(tree, "bench_win32_contest.exe"), str(CONTESTS // 20)], env)

        def painted(program):
            """Start of the process to the end of its first paint, and its own part of that
            (from wWinMain on), in ms."""
            began = time.monotonic()
            process = subprocess.Popen([wine.loader, os.path.join(tree, program + ".exe")], env=env, stdout=subprocess.PIPE,
                                       stderr=subprocess.DEVNULL, text=True)
            line = process.stdout.readline().split()
            seconds = time.monotonic() - began
            if line[:1] != ["painted"]:
                sys.exit("%s did not paint" % program)
            process.wait()
            return seconds * 1000, float(line[1])

        starts = rounds(["bench_win32_start", "bench_win32_reference_controls", "bench_win32_reference_empty",
                         "bench_win32_reference_text"], painted)
    finally:
        subprocess.run(["wineserver", "-k"], env=env)
    return contest, starts, os.path.getsize(os.path.join(windows, "prince-trials.exe")), wine.note


# A page that shows one line of text in the window's font, and says when it has been painted.
PAINTED = "<script>requestAnimationFrame(() => setTimeout(() => performance.mark('painted')));</script>"
ONE_LINE_PAGE = """<!doctype html><html lang="bg"><head><meta charset="utf-8"></head><body>
<div style="font: 12pt 'Times New Roman', 'Liberation Serif', serif">Философия - Бастелон, Трелавин</div>%s</body></html>""" % PAINTED
# The window as the page has made it, written out as static HTML with no script: what any
# page with the same controls, styles and font costs to open.
STATIC_WINDOW = """(() => { const copy = document.documentElement.cloneNode(true);
    copy.querySelectorAll('script, noscript, meta[http-equiv]').forEach(e => e.remove());
    const texts = document.querySelectorAll('textarea');
    copy.querySelectorAll('textarea').forEach((e, i) => { e.textContent = texts[i].value; });
    return '<!doctype html>' + copy.outerHTML; })()"""

# In the page: the time from a press on a control to the next painted frame after its handler
# (a box's runs a frame after its change: it has run once the box is locked); a heading has
# no handler, the floor.
CLICK_TIMER = """(() => { window.Presses = {frames: []};
    document.addEventListener("pointerdown", () => { Presses.pressed = performance.now(); }, true);
    const painted = ran => requestAnimationFrame(() => ran() ? setTimeout(() => Presses.frames.push(performance.now() - Presses.pressed))
                                                             : painted(ran));
    document.addEventListener("change", event => painted(() => event.target.disabled));
    document.addEventListener("click", event => {
        if (event.target.localName === "button" || event.target.className === "caption") painted(() => true); }); })()"""
# The same window as static HTML with the same moves of the same rows and nothing else: the
# floor of this kind of list. A box's change, a frame later (as the page's), moves 333 rows
# drawn from the pool to its list in one step; Чисти merges every row back into the pool in
# order.
BARE_MOVES = """<script>
const lists = [0, 1, 2, 3].map(i => document.getElementById("List1_" + i)), rows = Array.from(lists[3].children);
const boxes = Array.from(document.querySelectorAll("#MainForm input"));
boxes.forEach((box, i) => box.addEventListener("change", () => requestAnimationFrame(() => setTimeout(() => {
    const pool = Array.from(lists[3].children), moved = [];
    for (let drop = 0; drop < 333; ++drop) moved.push(pool.splice(Math.floor(Math.random() * 333) % pool.length, 1)[0]);
    lists[i].append(...moved);
    box.disabled = true;
}))));
document.getElementById("Command1_0").addEventListener("click", () => {
    let next = lists[3].firstElementChild, run = [];
    for (const row of rows) {
        if (row !== next) { run.push(row); continue; }
        if (run.length) next.before(...run);
        run = [];
        next = next.nextElementSibling;
    }
    lists[3].append(...run);
    boxes.forEach(box => { box.checked = false; box.disabled = false; });
});
</script>"""
# What is pressed: a trial's box, Чисти, and the heading of the pool.
PRESSED = (("trial", ("Check1_0", "Check1_1", "Check1_2")), ("reset", ("Command1_0",)), ("floor", ("Label1_4",)))


def clicks(browser):
    """Each press's time to the next painted frame, as the page has it: a contest's three
    trials, the reset and a press on a heading, CLICKS times over, by kind."""
    browser.eval(CLICK_TIMER)
    times = {kind: [] for kind, _ in PRESSED}
    for _ in range(CLICKS):
        for kind, names in PRESSED:
            for name in names:
                before = browser.eval("Presses.frames.length")
                browser.click(*browser.eval("(() => { const r = document.getElementById('%s').getBoundingClientRect(); "
                                            "return [r.left + r.width / 2, r.top + r.height / 2]; })()" % name))
                browser.eval("new Promise(done => (function wait() { Presses.frames.length > %d ? done() : setTimeout(wait, 5); })())" % before)
                times[kind].append(browser.eval("Presses.frames[Presses.frames.length - 1]"))
    return {kind: statistics.median(each) for kind, each in times.items()}


def in_the_browsers(work):
    """The page in Chromium and in Firefox: opening it until it is painted with the pool
    filled, against the same window as static HTML and against the one-line page, opened in
    turn the same way, each compiled afresh (Chromium keeps no compiled script or module
    from one opening to the next; Firefox keeps none of a page's own); in Chromium, presses
    until the next painted frame on the page and on the bare page with the same moves, at
    full speed and with the processor four times slower, without and with the accessibility
    tree a screen reader reads; and the page's size."""
    page = os.path.join(build, "web", "prince-trials.html")
    static, one_line, bare = (os.path.join(work, name) for name in ("static.html", "one-line.html", "bare.html"))
    with Chromium(page, arguments=["--js-flags=--no-compilation-cache --no-wasm-native-module-cache-enabled"]) as browser:
        window = browser.eval(STATIC_WINDOW)
        for path, text in ((static, window.replace("</body>", PAINTED + "</body>")), (one_line, ONE_LINE_PAGE),
                           (bare, window.replace("</body>", PAINTED + BARE_MOVES + "</body>"))):
            with open(path, "w", encoding="utf-8") as out:
                out.write(text)
        opened = {"Chromium": rounds([page, static, one_line], browser.open)}
    pressed = {}
    for tree in (False, True):
        with Chromium(page, arguments=["--force-renderer-accessibility"] if tree else []) as browser:
            for rate in (1, 4):
                browser.call("Emulation.setCPUThrottlingRate", rate=rate)
                for which, path in (("page", page), ("bare", bare)):
                    browser.open(path)
                    pressed[tree, rate, which] = clicks(browser)
    with Firefox(page) as browser:
        opened["Firefox"] = rounds([page, static, one_line], browser.open)
    with open(page, "rb") as contents:
        raw = contents.read()
    return ({name: (versus(figures, page, static), versus(figures, page, one_line)) for name, figures in opened.items()}, pressed,
            len(raw), len(gzip.compress(raw, 9)))


def main():
    with XServer() as server:
        os.environ.update(DISPLAY=server.name, QT_QPA_PLATFORM="xcb")
        contest = rows_of([os.path.join(bench, "bench_contest"), str(CONTESTS)])
        click = rows_of([os.path.join(bench, "bench_clickpaint"), str(CLICKS)])
        program, plain, empty, text = (os.path.join(bench, name) for name in
                                       ("bench_start_program", "bench_start_reference_controls", "bench_start_reference",
                                        "bench_start_reference_text"))
        starts = rounds([program, plain, empty, text], start_to_paint)
        with tempfile.TemporaryDirectory(prefix="wine-", dir=build) as work:
            wine_contest, wine_starts, exe_size, wine_note = under_wine(work)
            web_opened, web_pressed, web_raw, web_gzipped = in_the_browsers(work)

    table = []

    def row(name, value, target, met, how):
        table.append((name, value, target, "yes" if met else "NO", how))

    # A target is absolute, or relative to a floor measured in the same run: then the row
    # gives both figures and their ratio, and "NO" means the program is off its floor.
    trial = contest["RunTrial"][0]
    row("RunTrial on the window's lists", "%.3f ms" % trial, "absolute: < 1 ms", trial < 1, contest["RunTrial"][2])
    reset = contest["ResetPool from decided"][0]
    row("ResetPool from the decided state", "%.3f ms" % reset, "absolute: < 1 ms", reset < 1, contest["ResetPool from decided"][2])
    paint = click["Click to painted"][0]
    row("Click on a box to painted window", "%.3f ms" % paint, "absolute: < 16.7 ms", paint < 16.7, click["Click to painted"][2])
    how = "median of %d rounds, the programs in shuffled order" % ROUNDS
    wall_a, wall_b, ratio = versus(starts, program, plain, 0)
    row("Start to first paint, vs the same controls made plainly", "%.1f / %.1f ms = %.3f" % (wall_a, wall_b, ratio),
        "floor: ratio <= 1.05", ratio <= 1.05, how)
    rss_a, rss_b, _ = versus(starts, program, plain, 1)
    row("Peak memory, vs the same controls made plainly", "%.1f / %.1f MiB (+%.1f)" % (rss_a, rss_b, rss_a - rss_b),
        "floor: <= +1 MiB", rss_a - rss_b <= 1, "peak resident set of the whole process")
    for reference, what, note in ((empty, "empty window", "what the window's 16 controls and font cost"),
                                  (text, "window with one line of text", "the reference also opens the font database")):
        wall_a, wall_b, ratio = versus(starts, program, reference, 0)
        rss_a, rss_b, _ = versus(starts, program, reference, 1)
        row("Start to first paint and peak memory, vs " + what,
            "%.1f / %.1f ms = %.3f; +%.1f MiB" % (wall_a, wall_b, ratio, rss_a - rss_b), "(for reading)", True, note)
    growth_name = next(name for name in contest if name.startswith("RSS growth"))
    growth = contest[growth_name][0]
    row("Soak: " + growth_name.replace("RSS growth, contest", "memory growth, contests"), "%.3f MiB" % growth, "absolute: < 1 MiB",
        growth < 1, contest[growth_name][2])

    under = " (Wine, %s)" % wine_note
    trial, floor = wine_contest["RunTrial"][0], wine_contest["RunTrial's moves on plain list boxes"][0]
    row("Windows: RunTrial on the real list boxes, vs the same moves on plain ones" + under,
        "%.3f / %.3f ms = %.3f" % (trial, floor, trial / floor), "floor: ratio <= 1.10", trial <= 1.10 * floor,
        wine_contest["RunTrial"][2])
    for name in ("Click on a box until its lists are repainted", "Click on the reset button until the lists are repainted"):
        value = wine_contest[name][0]
        row("Windows: " + name[0].lower() + name[1:] + under, "%.3f ms" % value, "(for reading)", True, wine_contest[name][2])
    wall_a, wall_b, ratio = versus(wine_starts, "bench_win32_start", "bench_win32_reference_controls", 0)
    row("Windows: start to first paint, vs the same controls made plainly" + under, "%.1f / %.1f ms = %.3f" % (wall_a, wall_b, ratio),
        "floor: ratio <= 1.05", ratio <= 1.05, how)
    own_a, own_b, ratio = versus(wine_starts, "bench_win32_start", "bench_win32_reference_controls", 1)
    row("Windows: the same from wWinMain on, the program's own part" + under, "%.1f / %.1f ms = %.3f" % (own_a, own_b, ratio),
        "(for reading)", True, "the rest is Wine starting the process")
    for reference, what in (("empty", "empty Win32 window"), ("text", "window with one line of text")):
        wall_a, wall_b, ratio = versus(wine_starts, "bench_win32_start", "bench_win32_reference_" + reference, 0)
        row("Windows: start to first paint, vs %s%s" % (what, under), "%.1f / %.1f ms = %.3f" % (wall_a, wall_b, ratio),
            "(for reading)", True, "what a window's 16 standard controls cost under Wine")
    row("Windows: prince-trials.exe, stripped", "%d bytes (%.0f KiB)" % (exe_size, exe_size / 1024), "absolute: < 1 MiB",
        exe_size < 1 << 20, "PE32, GUI, i386, static runtime")

    for name, (static, one_line) in web_opened.items():
        wall_a, wall_b, ratio = static
        row("Web: opening the page to its first paint, vs the same window as static HTML (%s)" % name,
            "%.1f / %.1f ms = %.3f" % (wall_a, wall_b, ratio), "floor: ratio <= 1.10", ratio <= 1.10, how + ", compiled afresh")
        wall_a, wall_b, ratio = one_line
        row("Web: the same, vs a page with one line of text (%s)" % name, "%.1f / %.1f ms = %.3f" % (wall_a, wall_b, ratio),
            "(for reading)", True, "")
    for tree, read in ((False, ""), (True, ", accessibility tree on")):
        for rate, slower in ((1, ""), (4, ", the processor 4x slower")):
            heading = web_pressed[tree, rate, "page"]["floor"]
            for kind, what in (("trial", "a box"), ("reset", "Чисти")):
                value, bare = web_pressed[tree, rate, "page"][kind], web_pressed[tree, rate, "bare"][kind]
                row("Web: a press on %s until the next painted frame, vs the bare page (Chromium%s%s)" % (what, slower, read),
                    "%.1f / %.1f ms = %.3f (a heading %.1f)" % (value, bare, value / bare, heading), "floor: ratio <= 1.10",
                    value <= 1.10 * bare, "median of %d presses; the bare page: the same moves of the same rows; a heading: "
                    "a press with no handler" % (CLICKS * (3 if kind == "trial" else 1)))
                if rate == 4 and not tree:
                    row("Web: the same, the goal (Chromium%s)" % slower, "%.1f ms" % value, "absolute: <= 100 ms", value <= 100, "")
    row("Web: prince-trials.html, raw and gzipped", "%d / %d bytes" % (web_raw, web_gzipped), "absolute: <= 96 / 48 KB",
        web_raw <= 96 * 1024 and web_gzipped <= 48 * 1024, "one file, the WebAssembly and the font inlined")

    widths = [max(len(r[i]) for r in table + [("measure", "median", "target", "met", "notes")]) for i in range(5)]
    line = lambda cells: "| " + " | ".join(c.ljust(w) for c, w in zip(cells, widths)) + " |"
    print(line(("measure", "median", "target", "met", "notes")))
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for r in table:
        print(line(r))


if __name__ == "__main__":
    main()
