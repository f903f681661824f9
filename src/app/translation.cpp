#include "translation.h"

#include <QCoreApplication>
#include <QTranslator>

bool loadAndInstallTranslation(QTranslator &translator, const QString &fileName)
{
    const bool loaded = translator.load(QStringLiteral(":/i18n/") + fileName) ||
                        translator.load(QCoreApplication::applicationDirPath() +
                                        QStringLiteral("/languages/") + fileName);
    if (loaded)
        QCoreApplication::installTranslator(&translator);
    return loaded;
}
