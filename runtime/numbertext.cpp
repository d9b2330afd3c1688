#include "numbertext.h"

#include <array>
#include <charconv>

std::string numberText(unsigned int number)
{
    std::array<char, 16> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), number);
    return {digits.data(), result.ptr};
}
