#include "run.h"

#include "screenshot.h"
#include "settingskeys.h"
#include "translation.h"

#include <QApplication>
#include <QTranslator>

int runQuorvel(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral("260"));
    QGuiApplication::setQuitOnLastWindowClosed(false);

    QTranslator translator;
    loadAndInstallTranslation(translator, storedLanguageFile());

    auto *screenshot = new Screenshot;
    const int exitCode = app.exec();
    delete screenshot;
    return exitCode;
}
