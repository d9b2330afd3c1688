#include "mainform.h"

#include "clockrandom.h"
#include "formcolours.h"
#include "formtexts.h"
#include "pageelements.h"

#include <emscripten.h>

#include <string>

using FormLayout::Control;
using FormLayout::Kind;

// clang-format off
// Makes one control: a field set with its caption as legend, a check box inside its label, a
// button, a select list, a read-only text area or a centred caption, placed in CSS pixels in
// the window and made a child of its container (-1: the window). The frame stands in the
// window's flow, so that the boxes in it are placed from the window too. Returns its number.
EM_JS(int, prince_make, (int kind, const char *name, int container, int left, int top, int width, int height, int shown,
                         const char *text), {
    const caption = UTF8ToString(text);
    let element;
    switch (kind) {
    case 0:
        element = Object.assign(document.createElement("fieldset"), {className: "frame"});
        element.append(document.createElement("legend"));
        element.firstChild.textContent = caption;
        break;
    case 1:
        element = document.createElement("label");
        element.append(Object.assign(document.createElement("input"), {type: "checkbox"}), caption);
        break;
    case 2: element = Object.assign(document.createElement("button"), {type: "button", textContent: caption}); break;
    case 3: element = Object.assign(document.createElement("select"), {size: 2}); break;
    case 4:
        element = Object.assign(document.createElement("textarea"), {readOnly: true, value: caption});
        break;
    default: element = Object.assign(document.createElement("div"), {className: "caption", textContent: caption}); break;
    }
    element.id = UTF8ToString(name);
    const at = kind === 0 ? {marginLeft: left + "px", marginTop: top + "px"} : {left: left + "px", top: top + "px"};
    Object.assign(element.style, at, {width: width + "px", height: height + "px"});
    element.hidden = !shown;
    (container < 0 ? document.getElementById("MainForm") : PT.el[container]).append(element);
    return PT.el.push(element) - 1;
});

// The page's title, the window's size, colour and font.
EM_JS(void, prince_set_window, (const char *title, int width, int height, int back, const char *font), {
    document.title = UTF8ToString(title);
    const form = document.getElementById("MainForm");
    Object.assign(form.style, {width: width + "px", height: height + "px", font: UTF8ToString(font),
                               backgroundColor: "#" + back.toString(16).padStart(6, "0")});
});

// A control's fixed back colour, and the colour of the text on it; a button's raised edge in
// its back colour too.
EM_JS(void, prince_set_colours, (int element, int back, int text), {
    const css = value => "#" + value.toString(16).padStart(6, "0");
    Object.assign(PT.el[element].style, {backgroundColor: css(back), color: css(text)});
    if (PT.el[element].localName === "button") PT.el[element].style.borderColor = css(back);
});

// The scheme's own text colour (the page's, CanvasText), as 0xRRGGBB.
EM_JS(int, prince_scheme_text, (), {
    const rgb = getComputedStyle(document.body).color.match(/[0-9.]+/g).map(Number);
    return (rgb[0] << 16) | (rgb[1] << 8) | rgb[2];
});

// What a screen reader reads a control by: a list, its heading; the statement, its name.
EM_JS(void, prince_name, (int element, int heading, const char *name), {
    if (heading >= 0) {
        PT.el[element].setAttribute("aria-labelledby", PT.el[heading].id);
    } else {
        PT.el[element].setAttribute("aria-label", UTF8ToString(name));
    }
});

// The boxes' and the button's events, to the window; none once a run-time error has frozen it.
// The scheme's changes too.
EM_JS(void, prince_route, (int element, int kind, int index), {
    const control = kind === 1 ? PT.el[element].querySelector("input") : PT.el[element];
    control.addEventListener(kind === 1 ? "change" : "click", () => {
        if (!PT.frozen) (kind === 1 ? _prince_box_changed : _prince_button_pressed)(index);
    });
});
// Tab walks the window's controls round, as in a window: from the last to the first, and back.
EM_JS(void, prince_tab_round, (), {
    document.getElementById("MainForm").addEventListener("keydown", event => {
        if (event.key !== "Tab") return;
        const order = PT.focusable();
        const edge = event.shiftKey ? order[0] : order[order.length - 1];
        if (document.activeElement === edge) {
            event.preventDefault();
            (event.shiftKey ? order[order.length - 1] : order[0]).focus();
        }
    });
});
EM_JS(void, prince_follow_scheme, (), {
    matchMedia("(prefers-color-scheme: dark)").addEventListener("change", () => { if (!PT.frozen) _prince_scheme_changed(); });
});

// The focus in the statement, its first line in view; then, once the filled window has been
// painted, the moment (ms from the page's start) for whoever measures it.
EM_JS(void, prince_start, (int statement), {
    const text = PT.el[statement];
    text.focus();
    text.setSelectionRange(0, 0);
    text.scrollTop = 0;
    requestAnimationFrame(() => setTimeout(() => { PT.painted = performance.now(); }));
});
// clang-format on

namespace {

constexpr int Dpi = 96; // CSS pixels: 96 to the inch, whatever the screen and the zoom

MainForm *page = nullptr;

int rgbOf(FormColours::Rgb colour)
{
    return (colour.red << 16) | (colour.green << 8) | colour.blue;
}

} // namespace

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
    : m_random(random ? std::move(random) : std::make_unique<ClockRandom>())
{
    page = this;
    PageElements::init();
    const std::string caption = std::string(FormTexts::WebAddress) + " " + FormTexts::CaptionTitle;
    const std::string font =
        std::to_string(FormLayout::FontPointSize) + "pt \"" + FormLayout::FontFamily + "\", \"" + FormLayout::FontSubstitute + "\", serif";
    prince_set_window(caption.c_str(), FormLayout::toPixels(FormLayout::ClientWidth, Dpi),
                      FormLayout::toPixels(FormLayout::ClientHeight, Dpi), rgbOf(FormColours::fromBgr(FormLayout::WindowColour)),
                      font.c_str());
    makeControls();
    applyColours();
    prince_follow_scheme();
    prince_tab_round();

    m_parts.emplace(m_controls.List1, m_controls.Check1);
    m_handlers.emplace(m_parts->controls(), *m_random);
    const auto &lists = m_controls.List1;
    heldDuring({lists[0], lists[1], lists[2], lists[3]}, [this] { m_handlers->Form_Load(); });
    prince_start(m_controls.Text1[0]);
}

void MainForm::makeControls()
{
    // Made in tab order, the order in which the page's Tab walks them; the frame before the
    // boxes that stand in it.
    m_controls.forEachInTabOrder([this](const Control &row, int &element) {
        // Every control is placed in the window: the frame, in the page's flow, does not move
        // the boxes that stand in it as its legend takes room.
        const FormLayout::PixelRect place = FormLayout::placeInWindow(row, Dpi, Dpi);
        const bool inFrame = row.container == FormLayout::Container::Frame1;
        element = prince_make(static_cast<int>(row.kind), FormLayout::nameOf(row).c_str(), inFrame ? m_controls.Frame1 : -1, place.left,
                              place.top, place.width, place.height, row.shown == FormLayout::Shown::Yes ? 1 : 0,
                              FormTexts::withLineFeeds(row.text).c_str());
        if (row.kind == Kind::CheckBox || row.kind == Kind::CommandButton) {
            prince_route(element, static_cast<int>(row.kind), row.index);
        }
    });
    // Each list is named after its heading.
    for (std::size_t i = 0; i < m_controls.List1.size(); ++i) {
        prince_name(m_controls.List1[i], m_controls.headingOf(i), nullptr);
    }
    prince_name(m_controls.Text1[0], -1, FormTexts::StatementName);
    prince_name(m_controls.Text1[1], -1, FormTexts::QuotationName);
}

void MainForm::applyColours()
{
    const int scheme = prince_scheme_text();
    const FormColours::Rgb schemeText{(scheme >> 16) & 0xFF, (scheme >> 8) & 0xFF, scheme & 0xFF};
    m_controls.forEach([&schemeText](const Control &row, int element) {
        if (row.backColour != FormLayout::DefaultColour) {
            const FormColours::Rgb back = FormColours::fromBgr(row.backColour);
            prince_set_colours(element, rgbOf(back), rgbOf(FormColours::readableTextOn(back, schemeText)));
        }
    });
}

template <typename Handler>
void MainForm::heldDuring(std::initializer_list<int> lists, Handler handler)
{
    for (const int list : lists) {
        ListBoxElementAdapter::hold(list);
    }
    handler();
    for (const int list : lists) {
        ListBoxElementAdapter::release(list);
    }
}

void MainForm::boxChanged(std::int16_t index)
{
    // A trial changes its own list and the pool.
    const auto &lists = m_controls.List1;
    heldDuring({lists.at(static_cast<std::size_t>(index)), lists[ContestRules::PoolIndex]},
               [this, index] { m_handlers->Check1_Click(index); });
}

void MainForm::buttonPressed(std::int16_t index)
{
    const auto &lists = m_controls.List1;
    heldDuring({lists[0], lists[1], lists[2], lists[3]}, [this, index] { m_handlers->Command1_Click(index); });
}
