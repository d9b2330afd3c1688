#pragma once

// The page's form controls, as the C++ side knows them: a number for each element, kept in a
// table on the page's side (PT.el), where the adapters and the window find them.
namespace PageElements {

// Sets up the table, and the page's shared helpers, before any control is made.
void init();

} // namespace PageElements
