#include "pageelements.h"

#include <emscripten.h>

// PT: the page's side of the program. el: the elements by number; held: the texts of lists
// whose redrawing is held off while a handler runs; frozen: set once a run-time error has
// been shown, after which no event is handled; controls(): the window's form controls, in the
// page's order; focusable(): those that take the focus now, in the order Tab walks them. (The
// script is one line once compiled: no line comments inside it.)
// clang-format off
EM_JS(void, prince_page_init, (), {
    globalThis.PT = {
        el: [],
        held: new Map(),
        frozen: false,
        controls() {
            return [...document.querySelectorAll("#MainForm input, #MainForm select, #MainForm textarea, #MainForm button")];
        },
        focusable() {
            return PT.controls().filter(e => !e.disabled && e.offsetParent !== null);
        },
    };
});
// clang-format on

void PageElements::init()
{
    prince_page_init();
}
