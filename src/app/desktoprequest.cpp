#include "desktoprequest.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

struct ActionName
{
    DesktopRequest::Action action;
    const char *name;
};
const ActionName actionNames[] = {
    {DesktopRequest::Action::Start, "start"},       {DesktopRequest::Action::Region, "region"},
    {DesktopRequest::Action::Full, "full"},         {DesktopRequest::Action::Record, "record"},
    {DesktopRequest::Action::Ocr, "ocr"},           {DesktopRequest::Action::Qr, "qr"},
    {DesktopRequest::Action::Ruler, "ruler"},       {DesktopRequest::Action::Open, "open"},
    {DesktopRequest::Action::Settings, "settings"}, {DesktopRequest::Action::Quit, "quit"},
};

const QString ActionKey = QStringLiteral("action");
const QString FilesKey = QStringLiteral("files");

} // namespace

const char *DesktopRequest::name(Action action)
{
    for (const ActionName &entry : actionNames) {
        if (entry.action == action)
            return entry.name;
    }
    return "";
}

std::optional<DesktopRequest::Action> DesktopRequest::actionNamed(const QString &name)
{
    for (const ActionName &entry : actionNames) {
        if (name == QLatin1String(entry.name))
            return entry.action;
    }
    return std::nullopt;
}

QList<DesktopRequest::Action> DesktopRequest::namedActions()
{
    QList<Action> actions;
    for (const ActionName &entry : actionNames) {
        if (entry.action != Action::Start)
            actions.append(entry.action);
    }
    return actions;
}

QByteArray DesktopRequest::encode() const
{
    const QJsonObject object{{ActionKey, QLatin1String(name(action))},
                             {FilesKey, QJsonArray::fromStringList(files)}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<DesktopRequest> DesktopRequest::decode(const QByteArray &line)
{
    const QJsonDocument document = QJsonDocument::fromJson(line.trimmed());
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const std::optional<Action> action = actionNamed(object.value(ActionKey).toString());
    if (!action)
        return std::nullopt;
    DesktopRequest request;
    request.action = *action;
    for (const QJsonValue &file : object.value(FilesKey).toArray()) {
        // The receiving instance has another working folder; a relative path would name another
        // file.
        if (!file.isString() || !QDir::isAbsolutePath(file.toString()))
            return std::nullopt;
        request.files.append(file.toString());
    }
    // Only a request to open names files; anything else that does was not made by us.
    if (!request.files.isEmpty() && request.action != Action::Open)
        return std::nullopt;
    return request;
}
