#pragma once

// The picture an account shows until it has one of its own: its initials in white on a disc
// whose colour follows from the account id. Rendering text needs a QGuiApplication; the server
// runs one on the offscreen platform.

#include <QByteArray>
#include <QColor>
#include <QString>

namespace Avatar {

// The program shows the picture unscaled in a square of this size.
inline constexpr int Edge = 50;

// The first letters of the name's first two words, or of the e-mail address for a name
// without letters; upper case.
QString initialsOf(const QString &name, const QString &email);
// Consecutive ids lie far apart on the colour wheel; dark enough to carry white letters.
QColor colourOf(qint64 userId);
// A PNG of Edge x Edge pixels. Letters the font cannot draw are left out rather than shown as
// boxes.
QByteArray png(const QString &initials, const QColor &colour);

} // namespace Avatar
