#pragma once

#include <QByteArray>
#include <QStringList>

#include <optional>

// What one start of the program asks for. A later start hands it to the running instance, so a
// desktop's own key bindings can drive the program where global hot keys are unavailable.
struct DesktopRequest
{
    enum class Action
    {
        Start,
        Region,
        Full,
        Record,
        Ocr,
        Qr,
        Ruler,
        Open,
        Settings,
        Quit
    };

    Action action = Action::Start;
    // Absolute paths of the images to open; empty with Open asks for a file.
    QStringList files;

    // The command-line option and wire name of each action other than Start.
    static const char *name(Action action);
    static std::optional<Action> actionNamed(const QString &name);
    static QList<Action> namedActions();

    // One line of JSON, as it goes over the instance socket.
    QByteArray encode() const;
    static std::optional<DesktopRequest> decode(const QByteArray &line);

    bool operator==(const DesktopRequest &other) const
    {
        return action == other.action && files == other.files;
    }
};
