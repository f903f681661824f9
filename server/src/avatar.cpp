#include "avatar.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <cmath>

namespace Avatar {

namespace {

// The first letter or digit of each word, up to `count` of them.
QString leadingLetters(const QString &text, int count)
{
    QString letters;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        for (const uint point : word.toUcs4()) {
            if (QChar::isLetterOrNumber(point)) {
                letters += QChar::fromUcs4(point);
                break;
            }
        }
        if (letters.toUcs4().size() == count)
            break;
    }
    return letters;
}

} // namespace

QString initialsOf(const QString &name, const QString &email)
{
    const QString fromName = leadingLetters(name.simplified(), 2);
    return (fromName.isEmpty() ? leadingLetters(email, 1) : fromName).toUpper();
}

QColor colourOf(qint64 userId)
{
    // Steps of the golden ratio around the wheel never repeat and stay well apart.
    const double goldenRatio = 0.6180339887498949;
    double whole = 0;
    const double hue = std::modf(double(userId) * goldenRatio, &whole);
    return QColor::fromHsvF(float(hue), 0.6f, 0.7f);
}

QByteArray png(const QString &initials, const QColor &colour)
{
    QImage image(Edge, Edge, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(image.rect());

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    const QList<uint> points = initials.toUcs4();
    font.setPixelSize(points.size() > 1 ? Edge * 2 / 5 : Edge / 2);
    const QFontMetrics metrics(font);
    QString drawable;
    for (const uint point : points)
        if (metrics.inFontUcs4(point))
            drawable += QChar::fromUcs4(point);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(image.rect(), Qt::AlignCenter, drawable);
    painter.end();

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace Avatar
