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

QString nextFreePath(const QString &folder)
{
    for (int n = 1; n <= 300; ++n) {
        const QString path = folder + QStringLiteral("screenshot%1.png").arg(n);
        if (!QFile::exists(path))
            return path;
    }
    return folder + QStringLiteral("screenshot301.png");
}

QString moveToDesktop(const QString &path)
{
    const QString target = folder();
    if (!QDir().mkpath(target))
        return {};
    const QString destination = nextFreePath(target);
    return QFile::rename(path, destination) ? destination : QString();
}

} // namespace DesktopCopy
