#pragma once

#include "checkboxwidgetadapter.h"
#include "formcontest.h"
#include "formhandles.h"
#include "listwidgetadapter.h"
#include "randomsource.h"

#include <QWidget>

#include <memory>

class ClassicCheckBox;
class ClassicListWidget;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The widget that stands for each kind of control of the layout table.
struct FormWidgetTypes {
    using Frame = QGroupBox *;
    using CheckBox = ClassicCheckBox *;
    using CommandButton = QPushButton *;
    using ListBox = ClassicListWidget *;
    using TextBox = QPlainTextEdit *;
    using Label = QLabel *;
};
using FormWidgets = FormHandles<FormWidgetTypes>;

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
    [[nodiscard]] FormHandlers &handlers();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyLayoutTable();
    // The fixed back colours, with text that reads on them under the scheme of the moment.
    void applyColours();
    void setUpKinds();
    void nameForScreenReaders();
    void routeEvents();

    FormWidgets m_handles;
    FormContest<ListWidgetAdapter, CheckBoxWidgetAdapter> m_contest;
};
