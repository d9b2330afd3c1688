#include "contest.h"

#include "checkbox.h"
#include "listbox.h"
#include "numbertext.h"
#include "randomsource.h"
#include "runtimeerror.h"

#include <cmath>

namespace {

// "1" .. "1000" in ascending order, made once.
const std::vector<std::string> &candidateTexts()
{
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> all;
        all.reserve(static_cast<std::size_t>(ContestRules::Candidates));
        for (unsigned int n = 1; n <= static_cast<unsigned int>(ContestRules::Candidates); ++n) {
            all.push_back(numberText(n));
        }
        return all;
    }();
    return texts;
}

} // namespace

Contest::Contest(const Stage &stage, const std::int16_t &currentTrial, RandomSource &random)
    : m_lists(stage.lists)
    , m_boxes(stage.boxes)
    , m_currentTrial(currentTrial)
    , m_random(random)
{
}

void Contest::ResetPool()
{
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        m_lists[i]->clear();
        m_boxes[i]->setEnabled(true);
        m_boxes[i]->setValue(CheckBox::Unchecked);
    }

    ListBox &pool = *m_lists[ContestRules::PoolIndex];
    pool.clear();
    pool.appendAll(candidateTexts());
}

void Contest::RunTrial()
{
    if (m_currentTrial < 0 || m_currentTrial >= ContestRules::TrialCount) {
        runtimeError("trial index out of range");
    }
    ListBox &pool = *m_lists[ContestRules::PoolIndex];
    ListBox &trial = *m_lists[static_cast<std::size_t>(m_currentTrial)];

    for (int drop = 0; drop < ContestRules::DropOutsPerTrial; ++drop) {
        const float r = m_random.next();
        const std::int16_t position = drawPosition(r, pool.count());
        trial.append(pool.textAt(position));
        pool.removeAt(position);
    }
}

std::int16_t Contest::drawPosition(float r, std::int16_t poolCount)
{
    if (poolCount <= 0) {
        runtimeError("draw from an empty pool");
    }
    if (!(r >= 0.0F && r < 1.0F)) {
        runtimeError("random value outside [0, 1)");
    }
    // A float times a float fits a double's 53-bit mantissa exactly, so nothing rounds
    // before floor(): a product just below a whole number stays below it.
    const double product = static_cast<double>(r) * static_cast<double>(ContestRules::DrawSpan);
    const auto slot = static_cast<std::int32_t>(std::floor(product));
    return static_cast<std::int16_t>(slot % poolCount);
}
