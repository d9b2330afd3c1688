#pragma once

// While it lives, the toolkit's start on a display is watched: should the toolkit fail to
// reach one (a display that is set but has no server behind it, a compositor that is gone, a
// platform plug-in that is not installed), the program says why in one plain line and ends
// with status 1, where the toolkit would abort with advice to reinstall the program. What
// the toolkit says meanwhile is held back, and passed on once the display has been reached.
class DisplayGuard
{
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard &) = delete;
    DisplayGuard &operator=(const DisplayGuard &) = delete;
};
