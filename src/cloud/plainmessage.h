#pragma once

#include <QString>

// A modal message box without parent whose text is shown as it stands: texts from the service
// must never be read as rich text.
void showPlainMessage(const QString &text);
