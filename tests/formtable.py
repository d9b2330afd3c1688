"""What the layout table says of the window, as the page's and the Windows program's tests read
it: from webcheck, built with the table itself."""

import subprocess


def places(webcheck):
    """Each control by name: its place in the window at 96 dpi, whether it is shown, its fixed
    back colour (RRGGBB, or -), the place it takes in the focus's walk (-1: none) and its
    caption (a text box's first line)."""
    found = {}
    for line in subprocess.run([webcheck, "places"], capture_output=True, text=True, check=True).stdout.splitlines():
        name, shown, left, top, width, height, back, walk, text = (line.split(" ", 8) + [""])[:9]
        found[name] = {"rect": [int(left), int(top), int(width), int(height)], "shown": shown == "1", "back": back,
                       "walk": int(walk), "text": text}
    return found


def tab_walk(places):
    """The controls Tab walks to from the first, round to the first again."""
    walk = sorted((place["walk"], name) for name, place in places.items() if place["walk"] >= 0)
    return [name for _, name in walk[1:] + walk[:1]]


def text_area(name, rect):
    """Where a control's text stands within its place (left, top, width, height): right of a
    box's indicator, in a frame's top edge only, inside a button's edge."""
    left, top, width, height = rect
    inset = {"Check1": (24, 2, 2, 2), "Frame1": (6, 0, 6, height - 18), "Command1": (4, 4, 4, 4)}.get(name.split("_")[0], (1, 1, 1, 1))
    return left + inset[0], top + inset[1], width - inset[0] - inset[2], height - inset[1] - inset[3]
