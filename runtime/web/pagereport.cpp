#include "pagereport.h"

#include <emscripten.h>

// clang-format off
EM_JS(void, prince_show_report, (const char *report), {
    PT.frozen = true;
    PT.controls().forEach(e => { e.disabled = true; });
    const box = document.createElement("dialog");
    box.id = "RuntimeError";
    box.textContent = UTF8ToString(report);
    document.body.append(box);
    box.showModal();
});
// clang-format on

void showRuntimeErrorOnPage(const char *report)
{
    prince_show_report(report);
}
