#include "mainform.h"

MainForm::MainForm(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setFixedSize(466, 319);
}

MainForm::~MainForm() = default;
