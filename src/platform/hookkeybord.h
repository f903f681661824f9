#pragma once

#include <QObject>

// Catches Print Screen with its modifiers before the system takes it, while a hot key is being
// recorded.
class HookKeybord : public QObject
{
    Q_OBJECT

public:
    static HookKeybord *instance();
    explicit HookKeybord(QObject *parent = nullptr);

    void install();
    void uninstall();

signals:
    void keyPress(int key, Qt::KeyboardModifiers press);

private:
    static void reportPrintScreen(bool controlDown, bool shiftDown);

    void *hook = nullptr;
    bool installed = false;
};

// Only Control and Shift count for a Print Screen combination; Alt and the Windows key are not
// looked at.
Qt::KeyboardModifiers printScreenModifiers(bool controlDown, bool shiftDown);
