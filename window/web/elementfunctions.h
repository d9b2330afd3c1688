#pragma once

// The list and box operations on the page's elements, carried out by the page's script
// (page.js for the boxes, listbox.js for the lists) and called by the adapters. Elements are
// known by number; strings are UTF-8. Each answers Missing (-1) where the element is not on
// the page, and a list's OutOfRange (-2) for a position past its end.
extern "C" {
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
}

namespace ElementAnswer {
inline constexpr int Missing = -1;
inline constexpr int OutOfRange = -2;
} // namespace ElementAnswer
