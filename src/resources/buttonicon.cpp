#include "buttonicon.h"

QIcon buttonIcon(const QString &name)
{
    const QString base = QStringLiteral(":/buttons/buttons/") + name;
    QIcon icon;
    icon.addFile(base + QStringLiteral("_n.png"), {}, QIcon::Normal, QIcon::Off);
    icon.addFile(base + QStringLiteral("_h.png"), {}, QIcon::Active, QIcon::Off);
    icon.addFile(base + QStringLiteral("_a.png"), {}, QIcon::Normal, QIcon::On);
    icon.addFile(base + QStringLiteral("_a.png"), {}, QIcon::Active, QIcon::On);
    return icon;
}
