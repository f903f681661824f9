#pragma once

#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Drives the real quorvel binary on the test's X server as a person would: started with a home of
// its own, poked with xdotool, its windows looked up by class.
class XSession
{
public:
    XSession();
    ~XSession();

    bool isUsable() const;
    QString home() const { return homeDir.path(); }
    QString settingsFile() const;

    bool start(const QString &binary);
    bool waitForExit(int timeoutMs);
    QProcess &process() { return program; }

    // xdotool with the given arguments; returns its standard output, trimmed.
    static QString xdotool(const QStringList &arguments);
    // Visible windows of the program whose size fits within maxSize; waits up to timeoutMs.
    QList<QRect> waitForWindows(const QSize &maxSize, int timeoutMs) const;

private:
    QTemporaryDir homeDir;
    QProcess program;
};
