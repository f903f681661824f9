#include "desktopcopy.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace DesktopCopy {

QString folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) +
           QStringLiteral("/Quorvel/");
}

QString nextFreePath(const QString &folder, const QString &nameTemplate)
{
    for (int n = 1; n <= 300; ++n) {
        const QString path = folder + nameTemplate.arg(n);
        if (!QFile::exists(path))
            return path;
    }
    return folder + nameTemplate.arg(301);
}

QString moveToDesktop(const QString &path, const QString &nameTemplate)
{
    const QString target = folder();
    if (!QDir().mkpath(target))
        return {};
    // A rename never replaces a file that is there: the unchecked last name cannot lose one.
    const QString destination = nextFreePath(target, nameTemplate);
    return QFile::rename(path, destination) ? destination : QString();
}

} // namespace DesktopCopy
