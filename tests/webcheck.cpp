// Helper for the page's tests: what the layout table says of the page, and the one checker of
// the contest's invariants over a page's lists and boxes.
//   webcheck places   one line per control: name, shown (0/1), its place in the window in CSS
//                     pixels (left top width height), back colour as RRGGBB or -, its place in
//                     the focus's walk (-1 where it takes no focus), and caption
//   webcheck state    reads the lists I, II, III and the pool, a line each of texts parted by
//                     commas, then a line of the three boxes as checked/enabled pairs ("10 01
//                     01"); prints what breaks the invariants, nothing when they hold

#include "contestcheck.h"
#include "formcolours.h"
#include "formlayout.h"

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

namespace {

// Where a row stands in the focus's walk: its place among the shown controls that take the
// focus, in tab order; -1 for one that takes none.
int walkOf(const FormLayout::Control &row)
{
    int walk = 0;
    for (const FormLayout::Control *each : FormLayout::inTabOrder()) {
        if (each == &row) {
            return FormLayout::takesFocus(row) ? walk : -1;
        }
        walk += FormLayout::takesFocus(*each) ? 1 : 0;
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "places") {
        for (const FormLayout::Control &row : FormLayout::Table) {
            const FormLayout::PixelRect place = FormLayout::placeInWindow(row, 96, 96);
            char back[8] = "-";
            if (row.backColour != FormLayout::DefaultColour) {
                const FormColours::Rgb rgb = FormColours::fromBgr(row.backColour);
                std::snprintf(back, sizeof back, "%02x%02x%02x", rgb.red, rgb.green, rgb.blue);
            }
            // A text box's first line stands for its text.
            const std::string_view caption(row.text);
            const std::string text(caption.substr(0, caption.find('\r')));
            std::printf("%s %d %d %d %d %d %s %d %s\n", FormLayout::nameOf(row).c_str(), row.shown == FormLayout::Shown::Yes ? 1 : 0,
                        place.left, place.top, place.width, place.height, back, walkOf(row), text.c_str());
        }
        return 0;
    }
    if (mode == "state") {
        ContestCheck::Lists lists(4);
        for (auto &list : lists) {
            std::string line;
            std::getline(std::cin, line);
            std::istringstream texts(line);
            for (std::string text; std::getline(texts, text, ',');) {
                list.push_back(text);
            }
        }
        ContestCheck::Boxes boxes;
        for (auto &box : boxes) {
            std::string pair;
            std::cin >> pair;
            box = {pair.size() == 2 && pair[0] == '1', pair.size() == 2 && pair[1] == '1'};
        }
        std::cout << ContestCheck::invariants(lists, boxes) << std::endl;
        return 0;
    }
    std::fprintf(stderr, "usage: webcheck places | webcheck state < LISTS\n");
    return 2;
}
