#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Shown where the desktop has no system tray: without it Quorvel would run with no icon and no way
// to quit. It names the commands a desktop's key bindings can run instead.
class NoTrayNotice : public QDialog
{
    Q_OBJECT

public:
    explicit NoTrayNotice(QWidget *parent = nullptr);

signals:
    void quitRequested();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QLabel *explanation;
    QLabel *commands;
    QPushButton *quitButton;
    QPushButton *closeButton;
};
