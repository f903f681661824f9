#include "run.h"

#include "appidentity.h"
#include "commandline.h"
#include "screenshot.h"
#include "settingskeys.h"
#include "singleinstance.h"
#include "translation.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

namespace {

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

QStringList rawArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

int runQuorvel(int argc, char *argv[])
{
    // The version answers before the application exists, so that it needs no display. Everything
    // else is read once the application has taken Qt's own options off the command line.
    const CommandLine::Parsed early =
        CommandLine::parse(rawArguments(argc, argv), QDir::currentPath());
    if (early.outcome == CommandLine::Outcome::PrintVersion) {
        print(stdout, early.text);
        return 0;
    }

    QApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QLatin1String(AppVersion));
    QGuiApplication::setQuitOnLastWindowClosed(false);
    QGuiApplication::setDesktopFileName(QLatin1String(AppId));

    QTranslator translator;
    loadAndInstallTranslation(translator, storedLanguageFile());

    const CommandLine::Parsed line = CommandLine::parse(app.arguments(), QDir::currentPath());
    switch (line.outcome) {
    case CommandLine::Outcome::PrintHelp:
    case CommandLine::Outcome::PrintVersion:
        print(stdout, line.text);
        return 0;
    case CommandLine::Outcome::Fail:
        print(stderr, line.text + QLatin1Char('\n'));
        return 2;
    case CommandLine::Outcome::Run:
        break;
    }

    SingleInstance instance(SingleInstance::runtimeFolder());
    switch (instance.claim(line.request)) {
    case SingleInstance::Role::HandedOver:
        return 0;
    case SingleInstance::Role::Failed:
        print(stderr, instance.error() + QLatin1Char('\n'));
        return 1;
    case SingleInstance::Role::Primary:
        break;
    }
    // Nothing runs that could be asked to quit.
    if (line.request.action == DesktopRequest::Action::Quit)
        return 0;

    auto *screenshot = new Screenshot;
    QObject::connect(&instance, &SingleInstance::requestReceived, screenshot,
                     &Screenshot::performDesktopAction);
    QTimer::singleShot(0, screenshot, [screenshot, request = line.request] {
        screenshot->performDesktopAction(request);
    });
    const int exitCode = app.exec();
    delete screenshot;
    return exitCode;
}
