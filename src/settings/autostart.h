#pragma once

#include <QByteArray>
#include <QString>

// Start at login, as freedesktop desktops do it: an entry in the user's autostart folder. Its
// presence is the setting; nothing else stores it.
namespace Autostart {

QString entryPath();
bool isEnabled();
// Writes the entry that starts `program`, or removes it; false when the folder refused.
bool setEnabled(bool enabled, const QString &program);
// The entry's text; `program` is quoted as the Exec key needs.
QByteArray entryText(const QString &program);

} // namespace Autostart
