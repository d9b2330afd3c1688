#include "checkboxelementadapter.h"

#include "elementfunctions.h"
#include "runtimeerror.h"

namespace {

int present(int answer)
{
    if (answer == ElementAnswer::Missing) {
        runtimeError("the check box is missing");
    }
    return answer;
}

} // namespace

CheckBoxElementAdapter::CheckBoxElementAdapter(int element)
    : m_element(element)
{
    present(prince_box_checked(m_element));
}

std::int16_t CheckBoxElementAdapter::value() const
{
    return present(prince_box_checked(m_element)) != 0 ? Checked : Unchecked;
}

void CheckBoxElementAdapter::setValue(std::int16_t value)
{
    if (value != Unchecked && value != Checked) {
        runtimeError("invalid check box state");
    }
    // Setting the state from the program raises no change event.
    present(prince_box_set_checked(m_element, value));
}

void CheckBoxElementAdapter::setEnabled(bool enabled)
{
    present(prince_box_set_enabled(m_element, enabled ? 1 : 0));
}
