#pragma once

#include <QFont>
#include <QSize>
#include <QString>

// The font every editor text is typed and painted in: its pixel size follows the tool size.
QFont textFont(int toolSize);

// Widest line by line height times the number of lines, as the text occupies it on the canvas.
QSize textExtent(const QString &text, int toolSize);
