#pragma once

#include <string>

// The decimal text of a whole number: digits only, no blank, sign or leading zeros.
[[nodiscard]] std::string numberText(unsigned int number);
