#include "checkboxelementadapter.h"

#include "runtimeerror.h"

#include <emscripten.h>

// op 0: the checked state; 1: set it to value; 2: enable or disable. -1: no such box. The page
// drops the focus of a control it disables: the focus moves on first, to the next control, as
// the desktop's do.
// clang-format off
EM_JS(int, prince_box_op, (int element, int op, int value), {
    const box = PT.el[element] && PT.el[element].querySelector("input");
    if (!box || !box.isConnected) return -1;
    switch (op) {
    case 0: return box.checked ? 1 : 0;
    case 1: box.checked = value !== 0; return 0;
    case 2:
        if (!value && document.activeElement === box) {
            const order = PT.focusable();
            const next = order[(order.indexOf(box) + 1) % order.length];
            if (next && next !== box) next.focus();
        }
        box.disabled = value === 0;
        return 0;
    }
    return 0;
});
// clang-format on

namespace {

int present(int answer)
{
    if (answer < 0) {
        runtimeError("the check box is missing");
    }
    return answer;
}

} // namespace

CheckBoxElementAdapter::CheckBoxElementAdapter(int element)
    : m_element(element)
{
    present(prince_box_op(m_element, 0, 0));
}

std::int16_t CheckBoxElementAdapter::value() const
{
    return present(prince_box_op(m_element, 0, 0)) != 0 ? Checked : Unchecked;
}

void CheckBoxElementAdapter::setValue(std::int16_t value)
{
    if (value != Unchecked && value != Checked) {
        runtimeError("invalid check box state");
    }
    // Setting the state from the program raises no change event.
    present(prince_box_op(m_element, 1, value));
}

void CheckBoxElementAdapter::setEnabled(bool enabled)
{
    present(prince_box_op(m_element, 2, enabled ? 1 : 0));
}
