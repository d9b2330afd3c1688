// Helper for tst_runtimeerrors and the desktop check: makes one control operation fail,
// named by its argument, in an application set up as the program's own. It should never
// return normally.

#include "contest.h"
#include "contestparts.h"
#include "fakecheckbox.h"
#include "fakelistbox.h"
#include "listwidgetadapter.h"
#include "program.h"
#include "scriptedrandom.h"

#include <QApplication>
#include <QListWidget>

#include <cstring>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Program::prepareApplication();
    const char *what = argc > 1 ? argv[1] : "";
    QListWidget widget;
    ListWidgetAdapter list(&widget);
    list.append("1");
    if (std::strcmp(what, "text-at") == 0) {
        (void)list.textAt(1);
    } else if (std::strcmp(what, "remove-at") == 0) {
        list.removeAt(-1);
    } else if (std::strcmp(what, "empty-pool") == 0) {
        (void)Contest::drawPosition(0.5F, 0);
    } else if (std::strcmp(what, "r-is-one") == 0) {
        (void)Contest::drawPosition(1.0F, 1000);
    } else if (std::strcmp(what, "trial-index") == 0) {
        ContestParts<FakeListBox, FakeCheckBox> parts;
        std::int16_t trial = 3;
        ScriptedRandom random;
        Contest(parts.stage(), trial, random).RunTrial();
    }
    return 0;
}
