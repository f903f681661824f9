#pragma once

#include <QObject>

class QAbstractButton;

// Clicks a button the moment its shortcut key is pressed. A button on its own animates the click
// and acts 100 ms later: a tool key followed at once by a press on the canvas drew with the
// previous tool, and the text typed next switched tools instead of being typed.
class InstantShortcuts : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    void watch(QAbstractButton *button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
