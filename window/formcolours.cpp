#include "formcolours.h"

#include <algorithm>
#include <cmath>

namespace FormColours {

namespace {

// Relative luminance of an sRGB colour, as WCAG 2 defines it.
double luminance(Rgb colour)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) + 0.0722 * linear(colour.blue);
}

} // namespace

double contrast(Rgb a, Rgb b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb readableTextOn(Rgb back, Rgb schemeText)
{
    if (contrast(back, schemeText) >= MinimumContrast) {
        return schemeText;
    }
    return contrast(back, Black) >= contrast(back, White) ? Black : White;
}

} // namespace FormColours
