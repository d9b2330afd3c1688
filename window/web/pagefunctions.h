#pragma once

// The window's own functions on the page's side, in JavaScript (page.js, linked into the page
// as a library): what each does is said there. The page's elements are known here by number;
// strings are UTF-8, colours 0xRRGGBB. The operations on its lists and boxes are in
// elementfunctions.h.
extern "C" {
int prince_make(const char *kind, const char *name, int container, int left, int top, int width, int height, int shown, const char *text);
void prince_set_window(int width, int height, int back, const char *font);
void prince_set_colours(int element, int back, int text);
int prince_scheme_text();
void prince_name(int element, const char *name);
void prince_empty_list_says(const char *text);
void prince_route_box(int element, int index);
void prince_route_button(int element, int index);
void prince_route_window();
void prince_focus(int element);
void prince_mark_painted();
void prince_say(const char *text);
// A run-time error's report
void prince_show_report(const char *report);
}
