#pragma once

// The page's side of the program, in JavaScript (window/web/page.js, linked into the page as a
// library): what each does is said there. The page's elements are known here by number.
// Strings are UTF-8; colours 0xRRGGBB. The list and box operations answer -1 where the
// element is missing, -2 for a position past a list's end.
extern "C" {
// The window
int prince_make(const char *kind, const char *name, int container, int left, int top, int width, int height, int shown, const char *text);
void prince_set_window(int width, int height, int back, const char *font);
void prince_set_colours(int element, int back, int text);
int prince_scheme_text();
void prince_name(int element, const char *name);
void prince_empty_list_says(const char *text);
void prince_route_box(int element, int index);
void prince_route_button(int element, int index);
void prince_route_window();
void prince_start(int element);
void prince_say(const char *text);
// The boxes
int prince_box_checked(int element);
int prince_box_set_checked(int element, int checked);
int prince_box_set_enabled(int element, int enabled);
// The lists
int prince_list_count(int element);
int prince_list_clear(int element);
int prince_list_append(int element, const char *joined);
int prince_list_remove(int element, int position);
int prince_list_text(int element, int position, char *buffer, int size);
void prince_list_hold(int element, int on);
// A run-time error's report
void prince_show_report(const char *report);
}
