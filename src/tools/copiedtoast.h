#pragma once

#include <QIcon>

class QString;
class QToolButton;
class QWidget;

// The copy buttons' picture: the theme's, or a drawn one where the theme has none.
QIcon copyIcon();

// The scanners' small copy button, disabled until there is a result; `label` is its tool tip and
// accessible name.
QToolButton *createCopyButton(QWidget *parent, const QString &label);

// A short notice floating just above `anchor`, right edges aligned, that closes itself after
// 1500 ms. Parented to `owner`, so it goes with it.
void showCopiedToast(QWidget *owner, QWidget *anchor, const QString &text);

inline constexpr int CopiedToastMs = 1500;
