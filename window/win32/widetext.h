#pragma once

#include <string>
#include <string_view>

// The program keeps its texts as UTF-8; Windows' wide functions take UTF-16.
[[nodiscard]] std::wstring wideText(std::string_view utf8);
[[nodiscard]] std::string utf8Text(std::wstring_view wide);
