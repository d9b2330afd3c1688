#include "pageelements.h"

#include <emscripten.h>

// PT: the page's side of the program. el: the elements by number; held: the texts of lists
// whose redrawing is held off while a handler runs; frozen: set once a run-time error has
// been shown, after which no event is handled; focusable(): the controls that take the focus,
// in the order Tab walks them (the page's order). (The script is one line once compiled: no
// line comments inside it.)
// clang-format off
EM_JS(void, prince_page_init, (), {
    globalThis.PT = {
        el: [],
        held: new Map(),
        frozen: false,
        focusable() {
            return [...document.querySelectorAll("#MainForm input, #MainForm select, #MainForm textarea, #MainForm button")]
                .filter(e => !e.disabled && e.offsetParent !== null);
        },
    };
});
// clang-format on

void PageElements::init()
{
    prince_page_init();
}
