#pragma once

#include <QString>

// A failure the user must know about: a modal message box without parent.
void showUserMessage(const QString &text);
