#pragma once

// Where a file handed to the upload is kept when the upload does not succeed: the first free
// numbered name in the Desktop folder "Quorvel".

#include <QString>

namespace DesktopCopy {

// Names for a capture; a recording's are "videostream%1." and its extension.
inline constexpr char CaptureName[] = "screenshot%1.png";

QString folder();
// The name with 1 … 300, the first that does not exist; with 301 unchecked.
QString nextFreePath(const QString &folder, const QString &nameTemplate = CaptureName);
// Moves the file there; returns its new path, or an empty text when it stayed where it was.
QString moveToDesktop(const QString &path, const QString &nameTemplate = CaptureName);

} // namespace DesktopCopy
