#include "program.h"

#include "mainform.h"
#include "programinfo.h"
#include "runtimeerror.h"
#include "widetext.h"

namespace {

// A run-time error is shown in a message box over the window, then the program ends.
void showRuntimeError(const char *report)
{
    MessageBoxW(GetActiveWindow(), wideText(report).c_str(), wideText(ProgramInfo::Name).c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

} // namespace

namespace Program {

void prepare()
{
    setRuntimeErrorReport(&showRuntimeError);
}

int run(HINSTANCE instance, int showCommand, const std::function<void(MainForm &)> &beforeShow)
{
    prepare();
    MainForm::registerClass(instance);
    MainForm form(instance);
    if (beforeShow) {
        beforeShow(form);
    }
    form.show(showCommand);

    MSG message{};
    BOOL got = FALSE;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        // The dialog manager's keyboard: Tab and Shift+Tab between the controls, Space on
        // boxes and the button.
        if (IsDialogMessageW(form.window(), &message) == FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (got < 0) {
        runtimeError("the window's messages cannot be read");
    }
    return static_cast<int>(message.wParam);
}

} // namespace Program
