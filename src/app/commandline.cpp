#include "commandline.h"

#include "appidentity.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

QString CommandLine::describe(DesktopRequest::Action action)
{
    using Action = DesktopRequest::Action;
    switch (action) {
    case Action::Region:
        return tr("Capture a region of the screen.");
    case Action::Full:
        return tr("Capture the full screen.");
    case Action::Record:
        return tr("Open the video recorder.");
    case Action::Ocr:
        return tr("Recognise the text in a region of the screen.");
    case Action::Qr:
        return tr("Read a QR code from the screen.");
    case Action::Ruler:
        return tr("Measure the screen with the ruler.");
    case Action::Open:
        return tr("Open the given images in the editor, or choose one.");
    case Action::Settings:
        return tr("Open the settings.");
    case Action::Quit:
        return tr("Quit the running Quorvel.");
    case Action::Start:
        break;
    }
    return {};
}

namespace {

CommandLine::Parsed failure(const QString &message)
{
    return {CommandLine::Outcome::Fail,
            {},
            message + QLatin1Char('\n') + CommandLine::tr("Try 'quorvel --help'.")};
}

} // namespace

CommandLine::Parsed CommandLine::parse(const QStringList &arguments, const QString &workingFolder)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Quorvel lives in the tray. Started again with one of the actions below, it asks the "
           "running Quorvel to do it, so the actions can be bound to keys in the desktop's "
           "keyboard settings."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    QList<std::pair<DesktopRequest::Action, QCommandLineOption>> actions;
    for (DesktopRequest::Action action : DesktopRequest::namedActions()) {
        const QCommandLineOption option(QLatin1String(DesktopRequest::name(action)),
                                        describe(action));
        parser.addOption(option);
        actions.append({action, option});
    }
    parser.addPositionalArgument(QStringLiteral("files"), tr("Images to open in the editor."),
                                 tr("[files...]"));

    if (!parser.parse(arguments))
        return failure(parser.errorText());
    if (parser.isSet(help))
        return {Outcome::PrintHelp, {}, parser.helpText()};
    if (parser.isSet(version))
        return {Outcome::PrintVersion, {}, QLatin1String(AppVersion) + QLatin1Char('\n')};

    Parsed parsed;
    QStringList chosen;
    for (const auto &[action, option] : actions) {
        if (parser.isSet(option)) {
            parsed.request.action = action;
            chosen << QStringLiteral("--") + QLatin1String(DesktopRequest::name(action));
        }
    }
    if (chosen.size() > 1)
        return failure(
            tr("Choose one action at a time, not %1.").arg(chosen.join(QLatin1String(", "))));

    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return parsed;
    // A file manager starts us with the files alone; with them the action can only be to open.
    if (chosen.isEmpty())
        parsed.request.action = DesktopRequest::Action::Open;
    if (parsed.request.action != DesktopRequest::Action::Open)
        return failure(
            tr("%1 takes no files: %2").arg(chosen.first(), files.join(QLatin1Char(' '))));
    const QDir folder(workingFolder);
    for (const QString &file : files) {
        const QFileInfo info(folder.absoluteFilePath(file));
        if (info.isDir())
            return failure(tr("%1 is a folder, not a picture.").arg(file));
        if (!info.isFile())
            return failure(tr("No such file: %1").arg(file));
        parsed.request.files << QDir::cleanPath(info.absoluteFilePath());
    }
    return parsed;
}
