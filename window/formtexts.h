#pragma once

#include "formfacts.h"

#include <array>
#include <string>
#include <string_view>

// The window's fixed texts, as UTF-8. The two long texts keep a carriage return and a line
// feed after every line, the last one too.
namespace FormTexts {

// The window's caption (and the page's title): the web address, then the title.
inline constexpr const char *Caption = FormFacts::Caption;

// The problem statement: 25 lines.
inline constexpr const char *ProblemStatement =
    "Съществува поговорка: \"златото се изпитва с огън, жената \r\n"
    "със злато, а мъжът с жена\".\r\n"
    "Принц решил да се жени и публично го обявил. 1000 \r\n"
    "кандидатки се явили, коя от коя по-достойна. Старият цар \r\n"
    "посъветвал сина си кандидатките да минат през три \r\n"
    "изпитания. След всяко изпитание последните 333 да \r\n"
    "отпадат. Подобно изпитание е описано в \"Трелавин\" от \r\n"
    "Бастелон.\r\n"
    "Да се реализира проект, представящ междупредметни връзки \r\n"
    "Философия и Информатика.\r\n"
    "Тема на проекта: Философия - Трелавин, условие\r\n"
    "При всяко ново стартиране, проектът да генерира в \r\n"
    "списъчно поле редица от 1000 последователни естествени \r\n"
    "числа. Проектът да съдържа набор от 3 опционални бутона, \r\n"
    "съответсващи на 3-те изпитания. След всяко събитие \r\n"
    "On-Click върху произволен бутон да се изтриват от общия \r\n"
    "списък номерата на отпадналите кандидатки и автоматично \r\n"
    "да се въвеждат в съответно списъчно поле. След последното \r\n"
    "изпитание в общия списък да е останало само едно число - \r\n"
    "номера на спечелилата състезанието. \r\n"
    "Състезанието е оспорвано, а принцът нетърпелив. \r\n"
    "Резултатите след всяко изпитани да се извеждат бързо, а \r\n"
    "състезанието да е честно - fair play. При всяко ново \r\n"
    "стартиране както междинните, така и крайният резултат да \r\n"
    "бъде различен.\r\n";

// The quotation: 3 lines.
inline constexpr const char *Quotation =
    "Неприятното в това да си първият, направил нещо по \r\n"
    "правилния начин, е, че никой не оценява колко трудно е \r\n"
    "било. \r\n";

// What the page tells a screen reader after each event, with a trial box's caption or the
// pool's heading: "I-во изпитание: остават 667.", after the last trial "III-то изпитание:
// победител е 941.", after the reset "Начало: 1000.".
inline constexpr const char *RemainingSaid = "остават";
inline constexpr const char *WinnerSaid = "победител е";
// What an empty list on the page says to a screen reader.
inline constexpr const char *EmptyListSaid = "празен";

// What a screen reader reads the text boxes by, Text1(0) and Text1(1): they show no caption.
inline constexpr std::array<const char *, 2> TextBoxNames{"Условие на задачата", "Цитат"};

// A text with line feeds alone for its line ends, as a text box breaks lines outside Windows.
[[nodiscard]] inline std::string withLineFeeds(std::string_view text)
{
    std::string fed;
    fed.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            fed += text[i];
        }
    }
    return fed;
}

} // namespace FormTexts
