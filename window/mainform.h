#pragma once

#include <QWidget>

// The program's only window.
class MainForm : public QWidget
{
    Q_OBJECT

public:
    explicit MainForm(QWidget *parent = nullptr);
    ~MainForm() override;
};
