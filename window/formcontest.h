#pragma once

#include "clockrandom.h"
#include "contestparts.h"
#include "contestrules.h"
#include "formhandlers.h"
#include "randomsource.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

// What every window holds beside its controls: the random source (the program's clock-seeded
// one unless a test gives another), an adapter over each list and box (List, Box), and the
// handlers their events go to. Each event runs its handler with the lists it changes held,
// where the lists' adapter can hold them (List::hold(list, true), then false): their redrawing
// or layout is held off while the handler runs, and done once after it.
template <typename List, typename Box>
class FormContest
{
public:
    explicit FormContest(std::unique_ptr<RandomSource> random)
        : m_random(random ? std::move(random) : std::make_unique<ClockRandom>())
    {
    }

    // Wraps the window's lists and boxes (Handles: a FormHandles), made by now, and raises
    // Form_Load, which fills the pool.
    template <typename Handles>
    void load(const Handles &handles)
    {
        m_parts.emplace(handles.List1, handles.Check1);
        m_handlers.emplace(m_parts->stage(), *m_random);
        whileHeld(handles.List1, [this] { m_handlers->Form_Load(); });
    }

    // Box Index changed state: a trial changes its own list and the pool.
    template <typename Handles>
    void boxChanged(const Handles &handles, std::int16_t index)
    {
        const auto lists = {handles.List1.at(static_cast<std::size_t>(index)), handles.List1[ContestRules::PoolIndex]};
        whileHeld(lists, [this, index] { m_handlers->Check1_Click(index); });
    }

    // Button Index was pressed: the reset changes all four lists.
    template <typename Handles>
    void buttonPressed(const Handles &handles, std::int16_t index)
    {
        whileHeld(handles.List1, [this, index] { m_handlers->Command1_Click(index); });
    }

    [[nodiscard]] FormHandlers &handlers() { return *m_handlers; }

private:
    template <typename Lists, typename Handler>
    static void whileHeld(const Lists &lists, Handler handler)
    {
        if constexpr (requires { List::hold(*lists.begin(), true); }) {
            for (const auto &list : lists) {
                List::hold(list, true);
            }
            handler();
            for (const auto &list : lists) {
                List::hold(list, false);
            }
        } else {
            handler();
        }
    }

    std::unique_ptr<RandomSource> m_random;
    std::optional<ContestParts<List, Box>> m_parts;
    std::optional<FormHandlers> m_handlers;
};
