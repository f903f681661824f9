#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

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
    // The runtime folder of the session, where the running instance keeps its socket.
    QString runtimeFolder() const;

    // An environment variable for the binary, such as QT_SCALE_FACTOR; before start().
    void setEnvironment(const QString &name, const QString &value);

    // Starts the binary named by QUORVEL_BINARY.
    bool start(const QStringList &arguments = {});
    // Another start of the binary in the same session, run to its end: its exit code (-1 when it
    // did not end within timeoutMs) and what it printed on both channels.
    int runAgain(const QStringList &arguments, QString *output, int timeoutMs,
                 const QString &workingFolder = QString()) const;
    bool waitForExit(int timeoutMs);
    QProcess &process() { return program; }

    // xdotool with the given arguments; returns its standard output, trimmed.
    static QString xdotool(const QStringList &arguments);
    // Visible windows of the program whose size fits within maxSize; waits up to timeoutMs.
    QList<QRect> waitForWindows(const QSize &maxSize, int timeoutMs) const;
    // The first visible window of the program with exactly this title, or a null rectangle.
    QRect waitForWindowNamed(const QString &title, int timeoutMs) const;
    bool waitUntilNoWindowNamed(const QString &title, int timeoutMs) const;

    // Gives the keyboard focus to the program's window with this title, as a window manager would
    // when it is shown; bare Xvfb has none.
    void focusWindowNamed(const QString &title) const;

    // What a window manager sends when a person clicks the window's close button; bare Xvfb has
    // none.
    void closeWindowNamed(const QString &title) const;

    // Ctrl+S in the editor and the file name typed into the dialog; the editor closes on success.
    // Returns an empty string and the saved picture in `saved`, or the step that failed.
    QString saveFromEditor(const QString &name, QImage *saved) const;

    static void key(const QString &keys) { xdotool({QStringLiteral("key"), keys}); }
    static void type(const QString &text) { xdotool({QStringLiteral("type"), text}); }
    // A left-button drag as a hand makes it, in small steps.
    static void drag(const QPoint &from, const QPoint &to);

private:
    static QRect windowGeometry(const QString &id);
    QList<QRect> waitForWindows(const QStringList &search,
                                const std::function<bool(const QRect &)> &accept,
                                int timeoutMs) const;

    QTemporaryDir homeDir;
    QProcess program;
};
