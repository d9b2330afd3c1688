#pragma once

#include "formlayout.h"
#include "randomsource.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

class ClassicCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class CheckBoxWidgetAdapter;
class ListWidgetAdapter;
class FormHandlers;

// The program's only window on Qt: it makes the pool, three trial boxes with their lists,
// the reset button and the problem statement from the layout table, and routes their events
// to the window's handlers. The contest's state lives in its controls.
class MainForm : public QWidget
{
    Q_OBJECT

public:
    // Without a random source the form uses the program's clock-seeded one.
    explicit MainForm(std::unique_ptr<RandomSource> random = nullptr, QWidget *parent = nullptr);
    ~MainForm() override;

    // Makes the window's font the application's, with its substitute where the face is
    // missing; the controls are then created in it.
    static void applyFont();

    // The handlers the controls' events go to; Form_Load has run when the constructor returns.
    [[nodiscard]] FormHandlers &handlers() const;

private:
    void applyLayoutTable();
    void setUpKinds();
    void nameForScreenReaders();
    void routeEvents();
    [[nodiscard]] QWidget *control(const FormLayout::Control &row) const;

    QGroupBox *const Frame1;
    const std::array<ClassicCheckBox *, 3> Check1;
    const std::array<QPushButton *, 1> Command1;
    const std::array<QListWidget *, 4> List1;
    const std::array<QPlainTextEdit *, 2> Text1;
    const std::array<QLabel *, 5> Label1;

    const std::unique_ptr<RandomSource> m_random;
    const std::array<std::unique_ptr<ListWidgetAdapter>, 4> m_listAdapters;
    const std::array<std::unique_ptr<CheckBoxWidgetAdapter>, 3> m_checkAdapters;
    const std::unique_ptr<FormHandlers> m_handlers;
};
