#include "mainform.h"

#include "formcolours.h"
#include "formtexts.h"
#include "pagefunctions.h"

#include <emscripten.h>

#include <array>
#include <string>
#include <string_view>
#include <utility>

using FormLayout::Control;
using FormLayout::Kind;

namespace {

constexpr int Dpi = 96; // CSS pixels: 96 to the inch, whatever the screen and the zoom

// The name by which page.js makes each kind of the table's controls.
constexpr std::array<std::pair<Kind, std::string_view>, 6> PageKinds{{{Kind::Frame, "frame"},
                                                                      {Kind::CheckBox, "checkbox"},
                                                                      {Kind::CommandButton, "button"},
                                                                      {Kind::ListBox, "list"},
                                                                      {Kind::TextBox, "text"},
                                                                      {Kind::Label, "caption"}}};

constexpr const char *pageKindOf(Kind kind)
{
    for (const auto &[each, name] : PageKinds) {
        if (each == kind) {
            return name.data();
        }
    }
    return nullptr;
}

constexpr bool everyKindNamed()
{
    for (const Control &row : FormLayout::Table) {
        if (pageKindOf(row.kind) == nullptr) {
            return false;
        }
    }
    return true;
}
static_assert(everyKindNamed(), "a page kind named for every kind the table uses");

MainForm *page = nullptr;

void say(const std::string &text)
{
    prince_say(text.c_str());
}

int rgbOf(FormColours::Rgb colour)
{
    return (colour.red << 16) | (colour.green << 8) | colour.blue;
}

} // namespace

// The page's events, from page.js.
extern "C" {
EMSCRIPTEN_KEEPALIVE void prince_box_changed(int index)
{
    page->boxChanged(static_cast<std::int16_t>(index));
}
EMSCRIPTEN_KEEPALIVE void prince_button_pressed(int index)
{
    page->buttonPressed(static_cast<std::int16_t>(index));
}
EMSCRIPTEN_KEEPALIVE void prince_scheme_changed()
{
    page->applyColours();
}
}

MainForm::MainForm(std::unique_ptr<RandomSource> random)
    : m_contest(std::move(random))
{
    page = this;
    // The page's own face first: it has the table's metrics whatever the device's fonts are,
    // and keeps every caption whole where a font of the table's name is wider.
    std::string font = std::to_string(FormLayout::FontPointSize) + "pt";
    for (const char *family : {FormFacts::PageFontFamily, FormLayout::FontFamily, FormLayout::FontSubstitute}) {
        font += std::string(" \"") + family + "\",";
    }
    font += " serif";
    prince_set_window(FormLayout::toPixels(FormLayout::ClientWidth, Dpi), FormLayout::toPixels(FormLayout::ClientHeight, Dpi),
                      rgbOf(FormColours::fromBgr(FormLayout::WindowColour)), font.c_str());
    prince_empty_list_says(FormTexts::EmptyListSaid);
    makeControls();
    applyColours();
    prince_route_window();
    // The focus is set before the pool is filled: setting it lays the page out, which costs
    // little while the page is small.
    prince_focus(m_handles.at(FormLayout::firstFocus(), [](int element) { return element; }));
    m_contest.load(m_handles);
    prince_mark_painted();
}

void MainForm::makeControls()
{
    // Made in tab order, the order in which the page's Tab walks them; the frame before the
    // boxes that stand in it.
    m_handles.forEachInTabOrder([this](const Control &row, int &element) {
        // Every control is placed in the window: the frame, in the page's flow, does not move
        // the boxes that stand in it as its legend takes room.
        const FormLayout::PixelRect place = FormLayout::placeInWindow(row, Dpi, Dpi);
        const bool inFrame = row.container == FormLayout::Container::Frame1;
        element =
            prince_make(pageKindOf(row.kind), FormLayout::nameOf(row).c_str(), inFrame ? m_handles.Frame1 : -1, place.left, place.top,
                        place.width, place.height, row.shown == FormLayout::Shown::Yes ? 1 : 0, FormTexts::withLineFeeds(row.text).c_str());
        if (const char *name = FormLayout::accessibleNameOf(row)) {
            prince_name(element, name);
        }
        if (row.kind == Kind::CheckBox) {
            prince_route_box(element, row.index);
        } else if (row.kind == Kind::CommandButton) {
            prince_route_button(element, row.index);
        }
    });
}

void MainForm::applyColours()
{
    const int scheme = prince_scheme_text();
    const FormColours::Rgb schemeText{(scheme >> 16) & 0xFF, (scheme >> 8) & 0xFF, scheme & 0xFF};
    m_handles.forEach([&schemeText](const Control &row, int element) {
        if (row.backColour != FormLayout::DefaultColour) {
            const FormColours::Rgb back = FormColours::fromBgr(row.backColour);
            prince_set_colours(element, rgbOf(back), rgbOf(FormColours::readableTextOn(back, schemeText)));
        }
    });
}

void MainForm::boxChanged(std::int16_t index)
{
    const ListBoxElementAdapter pool(m_handles.List1[ContestRules::PoolIndex]);
    const std::int16_t before = pool.count();
    m_contest.boxChanged(m_handles, index);
    // A trial that ran says what is left in the pool, read from the pool itself.
    const std::int16_t left = pool.count();
    if (left == before) {
        return;
    }
    const std::string remains = left == 1 ? std::string(FormTexts::WinnerSaid) + " " + pool.textAt(0)
                                          : std::string(FormTexts::RemainingSaid) + " " + std::to_string(left);
    say(std::string(FormLayout::rowOf(Kind::CheckBox, index).text) + ": " + remains + ".");
}

void MainForm::buttonPressed(std::int16_t index)
{
    m_contest.buttonPressed(m_handles, index);
    const ListBoxElementAdapter pool(m_handles.List1[ContestRules::PoolIndex]);
    say(std::string(FormLayout::accessibleNameOf(FormLayout::rowOf(Kind::ListBox, ContestRules::PoolIndex))) + ": " +
        std::to_string(pool.count()) + ".");
}
