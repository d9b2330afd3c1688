#pragma once

#include <cstdint>

// Colours as the layout table writes them (0x00BBGGRR), and the text colour that stays
// readable on a fixed back colour whatever the desktop's colour scheme.
namespace FormColours {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend constexpr bool operator==(const Rgb &, const Rgb &) = default;
};

inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb White{255, 255, 255};

// Normal text needs at least this contrast with its background (WCAG 2, level AA).
inline constexpr double MinimumContrast = 4.5;

// 0x00BBGGRR: red in the lowest byte.
[[nodiscard]] constexpr Rgb fromBgr(std::uint32_t bgr)
{
    return {static_cast<int>(bgr & 0xFFU), static_cast<int>((bgr >> 8U) & 0xFFU), static_cast<int>((bgr >> 16U) & 0xFFU)};
}

// The WCAG contrast ratio of two colours, from 1 (the same) to 21 (black and white).
[[nodiscard]] double contrast(Rgb a, Rgb b);

// The scheme's own text colour where it reads on back; otherwise black or white, whichever
// reads better. A dark scheme's light text on the window's fixed light colours would not.
[[nodiscard]] Rgb readableTextOn(Rgb back, Rgb schemeText);

} // namespace FormColours
