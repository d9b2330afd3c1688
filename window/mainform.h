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
class QtCheckBox;
class QtListBox;
class TrialDraw;

// The program's only window: the pool, three trial boxes with their lists, the reset
// button and the problem statement. The contest's state lives in its controls.
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

    // Raised once, by the constructor, before the window is first shown.
    void Form_Load();
    // A user toggled trial box Index.
    void Check1_Click(std::int16_t Index);
    // A user pressed button Index.
    void Command1_Click(std::int16_t Index);

    [[nodiscard]] std::int16_t currentTrial() const;

private:
    void applyLayoutTable();
    void setUpKinds();
    void nameForScreenReaders();
    void connectHandlers();
    [[nodiscard]] QWidget *control(const FormLayout::Control &row) const;

    QGroupBox *const Frame1;
    const std::array<ClassicCheckBox *, 3> Check1;
    const std::array<QPushButton *, 1> Command1;
    const std::array<QListWidget *, 4> List1;
    const std::array<QPlainTextEdit *, 2> Text1;
    const std::array<QLabel *, 5> Label1;

    std::int16_t CurrentTrial = 0;
    const std::unique_ptr<RandomSource> Random;
    const std::array<std::unique_ptr<QtListBox>, 4> ListOps;
    const std::array<std::unique_ptr<QtCheckBox>, 3> CheckOps;
    const std::unique_ptr<TrialDraw> Contest;
};
