#include "recordersettingspopup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

RecorderSettingsPopup::RecorderSettingsPopup(QWidget *parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("RecorderSettingsPopup"));
    setStyleSheet(QStringLiteral(
        "QWidget#RecorderSettingsPopup { background-color: #2b2b2b; border: 1px solid #555; }"
        "QLabel, QCheckBox { color: #f0f0f0; }"
        "QPushButton { color: #f0f0f0; background-color: #3c3c3c; border: 1px solid #555;"
        " border-radius: 3px; padding: 4px 8px; min-width: 64px; }"
        "QPushButton:hover { background-color: #4a4a4a; }"
        "QPushButton:checked { background-color: #2d8cf0; border-color: #5aa8ff; }"));

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);

    formatLabel = new QLabel(this);
    grid->addWidget(formatLabel, 0, 0);
    auto *formatGroup = new QButtonGroup(this);
    int column = 1;
    for (const QString &format : formats()) {
        QPushButton *button = choiceButton(format);
        formatButtons.insert(format, button);
        formatGroup->addButton(button);
        grid->addWidget(button, 0, column++);
        connect(button, &QPushButton::clicked, this, [this, format] { emit formatChosen(format); });
    }

    framerateLabel = new QLabel(this);
    grid->addWidget(framerateLabel, 1, 0);
    auto *framerateGroup = new QButtonGroup(this);
    column = 1;
    for (const QString &framerate : framerates()) {
        QPushButton *button = choiceButton(framerate);
        framerateButtons.insert(framerate, button);
        framerateGroup->addButton(button);
        grid->addWidget(button, 1, column++);
        connect(button, &QPushButton::clicked, this,
                [this, framerate] { emit framerateChosen(framerate); });
    }

    highlight = new QCheckBox(this);
    highlight->setObjectName(QStringLiteral("check_highlight_clicks"));
    grid->addWidget(highlight, 2, 0, 1, 4);
    connect(highlight, &QCheckBox::toggled, this, &RecorderSettingsPopup::highlightToggled);
}

QStringList RecorderSettingsPopup::formats()
{
    return {QStringLiteral("gif"), QStringLiteral("mp4")};
}

QStringList RecorderSettingsPopup::framerates()
{
    return {QStringLiteral("5"), QStringLiteral("15"), QStringLiteral("25")};
}

QPushButton *RecorderSettingsPopup::choiceButton(const QString &value)
{
    auto *button = new QPushButton(this);
    button->setObjectName(QStringLiteral("bt_choice_") + value);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void RecorderSettingsPopup::showChoices(const QString &format, const QString &framerate,
                                        bool highlightClicks)
{
    if (QPushButton *button = formatButton(format))
        button->setChecked(true);
    if (QPushButton *button = framerateButton(framerate))
        button->setChecked(true);
    const QSignalBlocker blocker(highlight);
    highlight->setChecked(highlightClicks);
}

void RecorderSettingsPopup::setCaptions(const QString &format, const QString &framerate,
                                        const QString &highlightText)
{
    formatLabel->setText(format);
    framerateLabel->setText(framerate);
    highlight->setText(highlightText);
}
