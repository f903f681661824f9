#include "autostart.h"

#include "appidentity.h"
#include "wholewrite.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// An Exec argument with any of these is quoted; inside quotes four of them need a backslash.
const QString NeedsQuotes = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
const QString EscapedInQuotes = QStringLiteral("\"`$\\");

QString execArgument(const QString &program)
{
    QString argument = program;
    argument.replace(QLatin1Char('%'), QStringLiteral("%%"));
    if (std::any_of(argument.cbegin(), argument.cend(),
                    [](QChar c) { return NeedsQuotes.contains(c); })) {
        QString quoted;
        for (QChar c : std::as_const(argument)) {
            if (EscapedInQuotes.contains(c))
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        argument = QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    // The key's value is itself a string in which a backslash is escaped once more.
    return argument.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
}

} // namespace

namespace Autostart {

QString entryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/quorvel.desktop");
}

bool isEnabled()
{
    return QFile::exists(entryPath());
}

QByteArray entryText(const QString &program)
{
    return QByteArrayLiteral("[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Quorvel\n"
                             "Comment=Screen capture in the tray\n"
                             "Exec=") +
           execArgument(program).toUtf8() + QByteArrayLiteral("\nIcon=") + AppId +
           QByteArrayLiteral("\nTerminal=false\n"
                             "X-GNOME-Autostart-enabled=true\n");
}

bool setEnabled(bool enabled, const QString &program)
{
    if (!enabled)
        return !isEnabled() || QFile::remove(entryPath());
    if (!QDir().mkpath(QFileInfo(entryPath()).absolutePath()))
        return false;
    QSaveFile entry(entryPath());
    return entry.open(QIODevice::WriteOnly) && writeAll(entry, entryText(program)) &&
           entry.commit();
}

} // namespace Autostart
