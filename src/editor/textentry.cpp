#include "textentry.h"

#include "drawobject.h"
#include "textmetrics.h"

#include <algorithm>

TextEntry::TextEntry(QWidget *canvas) : QPlainTextEdit(canvas)
{
    setFrameStyle(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    document()->setDocumentMargin(0);
    setContentsMargins(0, 0, 0, 0);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    setStyleSheet(QStringLiteral(
        "QPlainTextEdit { background: transparent; border: 0; padding: 0; margin: 0; }"
        "QPlainTextEdit::viewport { background: transparent; border: 0; padding: 0; }"));
    QPalette transparentBase = palette();
    transparentBase.setColor(QPalette::Base, Qt::transparent);
    setPalette(transparentBase);
    setGeometry(0, 0, 10, 10);
    hide();
}

void TextEntry::place(const DrawObject &editState)
{
    setFont(textFont(editState.size));
    const QString colorName = editState.color.name();
    setStyleSheet(
        QStringLiteral(
            "QPlainTextEdit { background: transparent; border: 0; padding: 0; margin: 0; color: "
            "%1; }QPlainTextEdit::viewport { background: transparent; border: 0; padding: 0; }")
            .arg(colorName));
    QPalette textColor = palette();
    textColor.setColor(QPalette::All, QPalette::Text, editState.color);
    setPalette(textColor);

    const QSize extent = textExtent(editState.text, editState.size);
    setGeometry(editState.p1.x(), editState.p1.y(), std::max(extent.width() + 8, 40),
                std::max(extent.height(), 1) + 8);
}
