#include "contestcheck.h"

#include "numbertext.h"

#include <array>

namespace ContestCheck {

QString eachNumberOnce(const std::vector<std::vector<std::string>> &lists)
{
    std::array<int, 1001> seen{};
    for (const auto &list : lists) {
        for (const auto &text : list) {
            const int n = std::stoi(text);
            if (n < 1 || n > 1000 || numberText(static_cast<unsigned>(n)) != text) {
                return QStringLiteral("not a candidate's number: \"%1\"").arg(QString::fromStdString(text));
            }
            ++seen[static_cast<std::size_t>(n)];
        }
    }
    for (int n = 1; n <= 1000; ++n) {
        if (seen[static_cast<std::size_t>(n)] != 1) {
            return QStringLiteral("%1 stands %2 times").arg(n).arg(seen[static_cast<std::size_t>(n)]);
        }
    }
    return {};
}

QString ascending(const std::vector<std::string> &texts)
{
    for (std::size_t i = 1; i < texts.size(); ++i) {
        if (std::stoi(texts[i - 1]) >= std::stoi(texts[i])) {
            return QStringLiteral("\"%1\" before \"%2\" at %3")
                .arg(QString::fromStdString(texts[i - 1]), QString::fromStdString(texts[i]))
                .arg(i);
        }
    }
    return {};
}

QString fullPool(const std::vector<std::string> &texts)
{
    if (texts.size() != 1000) {
        return QStringLiteral("%1 entries").arg(texts.size());
    }
    for (unsigned int n = 1; n <= 1000; ++n) {
        if (texts[n - 1] != numberText(n)) {
            return QStringLiteral("entry %1 is \"%2\"").arg(n - 1).arg(QString::fromStdString(texts[n - 1]));
        }
    }
    return {};
}

} // namespace ContestCheck
