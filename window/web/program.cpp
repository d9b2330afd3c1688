#include "program.h"

#include "mainform.h"
#include "pagefunctions.h"
#include "runtimeerror.h"

namespace {

// A run-time error is shown over the window, in a modal message; the page then handles no
// further event. (The report also goes to the browser's console, as standard error.)
void showRuntimeError(const char *report)
{
    prince_show_report(report);
}

} // namespace

namespace Program {

void run()
{
    setRuntimeErrorReport(&showRuntimeError);
    static MainForm form;
}

} // namespace Program
