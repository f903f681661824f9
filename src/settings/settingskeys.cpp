#include "settingskeys.h"

#include <QUuid>

using namespace SettingsKeys;

int storedToolSize()
{
    return settingsStore().value(SizeTool, SizeToolDefault).toInt();
}

QColor storedToolColor()
{
    // A name that is no colour would draw in black, a colour nobody chose.
    const QColor stored =
        QColor::fromString(settingsStore().value(ColorTool, ColorToolDefault).toString());
    return stored.isValid() ? stored : QColor::fromString(ColorToolDefault);
}

QString storedLanguageFile()
{
    return settingsStore().value(LanguageFile, LanguageFileDefault).toString();
}

bool isLoggedIn()
{
    const QString token = settingsStore().value(Token).toString();
    return !token.isEmpty() && token != QLatin1String("0");
}

QString ensureInstallationId()
{
    QSettings settings = settingsStore();
    QString id = settings.value(Uuid).toString();
    if (id.isEmpty()) {
        id = QUuid::createUuid().toString();
        settings.setValue(Uuid, id);
    }
    return id;
}
