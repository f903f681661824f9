#pragma once

#include "desktoprequest.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// Reads the command line: one desktop action and the files to open, or a request for help or the
// version. Actions only: the program takes no hosts, keys or settings from here.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    enum class Outcome
    {
        Run,
        PrintHelp,
        PrintVersion,
        Fail
    };

    struct Parsed
    {
        Outcome outcome = Outcome::Run;
        DesktopRequest request;
        // The help text, the version or what was wrong, ready to print.
        QString text;
    };

    // `arguments` starts with the program name, as QCoreApplication::arguments() does; relative
    // file names are taken from `workingFolder`.
    static Parsed parse(const QStringList &arguments, const QString &workingFolder);
    // What an action does, in a few words.
    static QString describe(DesktopRequest::Action action);
};
