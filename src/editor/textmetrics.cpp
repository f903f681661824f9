#include "textmetrics.h"

#include <QFontMetrics>
#include <QStringList>

QFont textFont(int toolSize)
{
    QFont font(QStringLiteral("monospace"));
    font.setPixelSize(5 * toolSize);
    font.setWeight(QFont::Bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QSize textExtent(const QString &text, int toolSize)
{
    const QFontMetrics metrics(textFont(toolSize));
    const QStringList lines = text.split(QLatin1Char('\n'));
    int widest = 0;
    for (const QString &line : lines)
        widest = qMax(widest, metrics.horizontalAdvance(line));
    return QSize(widest, metrics.height() * int(lines.size()));
}
