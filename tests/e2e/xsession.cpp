#include "xsession.h"

#include "../support/childprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

// After Qt: Xlib's macros would clash with its names.
#include <X11/Xlib.h>

XSession::XSession()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), homeDir.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), homeDir.path() + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), homeDir.path() + QStringLiteral("/.local/share"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), homeDir.path() + QStringLiteral("/.cache"));
    // Each session runs its own instance, apart from any other test's.
    QDir(homeDir.path()).mkdir(QStringLiteral("runtime"));
    QFile::setPermissions(runtimeFolder(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder());
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    endWithThisProcess(program);
}

XSession::~XSession()
{
    if (program.state() != QProcess::NotRunning) {
        program.kill();
        program.waitForFinished(3000);
    }
}

bool XSession::isUsable() const
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") &&
           !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
}

QString XSession::settingsFile() const
{
    return homeDir.path() + QStringLiteral("/.config/Quorvel/Quorvel.conf");
}

void XSession::setEnvironment(const QString &name, const QString &value)
{
    QProcessEnvironment env = program.processEnvironment();
    env.insert(name, value);
    program.setProcessEnvironment(env);
}

QString XSession::runtimeFolder() const
{
    return homeDir.path() + QStringLiteral("/runtime");
}

bool XSession::start(const QStringList &arguments)
{
    program.start(qEnvironmentVariable("QUORVEL_BINARY"), arguments);
    return program.waitForStarted(5000);
}

int XSession::runAgain(const QStringList &arguments, QString *output, int timeoutMs,
                       const QString &workingFolder) const
{
    QProcess again;
    again.setWorkingDirectory(workingFolder);
    again.setProcessEnvironment(program.processEnvironment());
    again.setProcessChannelMode(QProcess::MergedChannels);
    again.start(qEnvironmentVariable("QUORVEL_BINARY"), arguments);
    const bool ended = again.waitForFinished(timeoutMs);
    *output = QString::fromLocal8Bit(again.readAll());
    if (!ended) {
        again.kill();
        again.waitForFinished(3000);
        return -1;
    }
    return again.exitStatus() == QProcess::NormalExit ? again.exitCode() : -1;
}

bool XSession::waitForExit(int timeoutMs)
{
    return program.waitForFinished(timeoutMs) && program.exitStatus() == QProcess::NormalExit;
}

QString XSession::xdotool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    tool.waitForFinished(5000);
    return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
}

// xdotool matches names as regular expressions; anchored, the title must match as a whole.
static QString exactName(const QString &title)
{
    return QLatin1Char('^') + title + QLatin1Char('$');
}

QRect XSession::windowGeometry(const QString &id)
{
    static const QRegularExpression position(QStringLiteral("Position: (-?\\d+),(-?\\d+)"));
    static const QRegularExpression geometry(QStringLiteral("Geometry: (\\d+)x(\\d+)"));
    const QString info = xdotool({QStringLiteral("getwindowgeometry"), id});
    const auto p = position.match(info);
    const auto g = geometry.match(info);
    if (!p.hasMatch() || !g.hasMatch())
        return {};
    return QRect(p.captured(1).toInt(), p.captured(2).toInt(), g.captured(1).toInt(),
                 g.captured(2).toInt());
}

QList<QRect> XSession::waitForWindows(const QStringList &search,
                                      const std::function<bool(const QRect &)> &accept,
                                      int timeoutMs) const
{
    QElapsedTimer clock;
    clock.start();
    do {
        QList<QRect> found;
        const QString ids =
            xdotool(QStringList{QStringLiteral("search"), QStringLiteral("--all"),
                                QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                QString::number(program.processId())} +
                    search);
        for (const QString &id : ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QRect rect = windowGeometry(id);
            if (rect.isValid() && accept(rect))
                found.append(rect);
        }
        if (!found.isEmpty())
            return found;
        QThread::msleep(100);
    } while (clock.elapsed() < timeoutMs);
    return {};
}

QList<QRect> XSession::waitForWindows(const QSize &maxSize, int timeoutMs) const
{
    return waitForWindows(
        {},
        [maxSize](const QRect &rect) {
            return rect.width() <= maxSize.width() && rect.height() <= maxSize.height();
        },
        timeoutMs);
}

QRect XSession::waitForWindowNamed(const QString &title, int timeoutMs) const
{
    return waitForWindows(
               {QStringLiteral("--name"), exactName(title)}, [](const QRect &) { return true; },
               timeoutMs)
        .value(0);
}

bool XSession::waitUntilNoWindowNamed(const QString &title, int timeoutMs) const
{
    QElapsedTimer clock;
    clock.start();
    while (!waitForWindows(
                {QStringLiteral("--name"), exactName(title)}, [](const QRect &) { return true; }, 0)
                .isEmpty()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::msleep(100);
    }
    return true;
}

void XSession::drag(const QPoint &from, const QPoint &to)
{
    const auto moveTo = [](const QPoint &point) {
        xdotool(
            {QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y())});
    };
    moveTo(from);
    xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
    for (int step = 1; step <= 5; ++step)
        moveTo(from + (to - from) * step / 5);
    xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
}

void XSession::focusWindowNamed(const QString &title) const
{
    xdotool({QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"),
             QStringLiteral("--pid"), QString::number(program.processId()),
             QStringLiteral("--name"), exactName(title), QStringLiteral("windowfocus"),
             QStringLiteral("--sync")});
}

void XSession::closeWindowNamed(const QString &title) const
{
    const QString id =
        xdotool({QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"),
                 QStringLiteral("--pid"), QString::number(program.processId()),
                 QStringLiteral("--name"), exactName(title)})
            .section(QLatin1Char('\n'), 0, 0);
    Display *display = XOpenDisplay(nullptr);
    if (id.isEmpty() || !display) {
        if (display)
            XCloseDisplay(display);
        return;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = id.toULong();
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    XCloseDisplay(display);
}

QString XSession::saveFromEditor(const QString &name, QImage *saved) const
{
    // The dialog opens in the Desktop folder "Quorvel" with a name suggested; only the name is
    // typed, so no completion of folders can get in the way.
    const QString path = home() + QStringLiteral("/Desktop/Quorvel/") + name;
    focusWindowNamed(QStringLiteral("Quorvel"));
    key(QStringLiteral("ctrl+s"));
    if (!waitForWindowNamed(QStringLiteral("Save As"), 5000).isValid())
        return QStringLiteral("Ctrl+S opened no save dialog");
    focusWindowNamed(QStringLiteral("Save As"));
    key(QStringLiteral("ctrl+a"));
    type(name);
    key(QStringLiteral("Return"));
    if (!waitUntilNoWindowNamed(QStringLiteral("Save As"), 5000))
        return QStringLiteral("the save dialog stayed open");
    if (!waitUntilNoWindowNamed(QStringLiteral("Quorvel"), 5000))
        return QStringLiteral("the editor stayed open after saving");
    *saved = QImage(path);
    return saved->isNull() ? path + QStringLiteral(" holds no image") : QString();
}
