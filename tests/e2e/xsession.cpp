#include "xsession.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

XSession::XSession()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), homeDir.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), homeDir.path() + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), homeDir.path() + QStringLiteral("/.local/share"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), homeDir.path() + QStringLiteral("/.cache"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
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
    return !qEnvironmentVariableIsEmpty("DISPLAY")
           && !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
}

QString XSession::settingsFile() const
{
    return homeDir.path() + QStringLiteral("/.config/Quorvel/Quorvel.conf");
}

bool XSession::start(const QString &binary)
{
    program.start(binary, {});
    return program.waitForStarted(5000);
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

QList<QRect> XSession::waitForWindows(const QSize &maxSize, int timeoutMs) const
{
    static const QRegularExpression position(QStringLiteral("Position: (-?\\d+),(-?\\d+)"));
    static const QRegularExpression geometry(QStringLiteral("Geometry: (\\d+)x(\\d+)"));
    QElapsedTimer clock;
    clock.start();
    do {
        QList<QRect> found;
        const QString ids = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                     QStringLiteral("--pid"), QString::number(program.processId())});
        for (const QString &id : ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QString info = xdotool({QStringLiteral("getwindowgeometry"), id});
            const auto p = position.match(info);
            const auto g = geometry.match(info);
            if (!p.hasMatch() || !g.hasMatch())
                continue;
            const QRect rect(p.captured(1).toInt(), p.captured(2).toInt(), g.captured(1).toInt(),
                             g.captured(2).toInt());
            if (rect.width() <= maxSize.width() && rect.height() <= maxSize.height())
                found.append(rect);
        }
        if (!found.isEmpty())
            return found;
        QThread::msleep(100);
    } while (clock.elapsed() < timeoutMs);
    return {};
}
