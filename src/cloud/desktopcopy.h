#pragma once

// Where a capture whose upload failed is kept: the first free screenshotN.png in the Desktop
// folder "Quorvel".

#include <QString>

namespace DesktopCopy {

QString folder();
// screenshot1.png … screenshot300.png, the first that does not exist; screenshot301.png unchecked.
QString nextFreePath(const QString &folder);
// Moves the file there; returns its new path, or an empty text when it stayed where it was.
QString moveToDesktop(const QString &path);

} // namespace DesktopCopy
