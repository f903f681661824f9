#pragma once

#include <QObject>
#include <QPoint>

// Reports every left-button press anywhere on the desktop while installed.
class MouseHook : public QObject
{
    Q_OBJECT

public:
    explicit MouseHook(QObject *parent = nullptr);
    ~MouseHook() override;

    bool install();
    void uninstall();

signals:
    void leftButtonPressed(QPoint globalPosition);

private:
    static void queueLeftButtonPress(QPoint position);

    bool installed = false;
    // The last hook to install receives the presses; the system hook exists exactly while it is
    // set.
    static MouseHook *activeInstance;
};
