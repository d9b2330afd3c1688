#include "mainform.h"
#include "pagereport.h"
#include "runtimeerror.h"

int main()
{
    setRuntimeErrorReport(&showRuntimeErrorOnPage);
    // The page lives on after main() returns: its events call back into the window.
    static MainForm form;
    return 0;
}
