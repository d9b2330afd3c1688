#include "formhandlers.h"

#include "checkbox.h"
#include "randomsource.h"

FormHandlers::FormHandlers(const Contest::Stage &stage, RandomSource &random)
    : m_check1(stage.boxes)
    , m_random(random)
    , m_contest(stage, CurrentTrial, random)
{
}

void FormHandlers::Form_Load()
{
    m_contest.ResetPool();
    m_random.seed();
}

void FormHandlers::Check1_Click(std::int16_t Index)
{
    const auto box = static_cast<std::size_t>(Index);
    if (box >= m_check1.size() || m_check1[box]->value() == CheckBox::Unchecked) {
        return;
    }
    CurrentTrial = Index;
    m_check1[box]->setEnabled(false);
    m_contest.RunTrial();
}

void FormHandlers::Command1_Click(std::int16_t Index)
{
    if (Index == 0) {
        m_contest.ResetPool();
    }
}

std::int16_t FormHandlers::currentTrial() const
{
    return CurrentTrial;
}
