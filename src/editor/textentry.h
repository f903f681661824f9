#pragma once

#include <QPlainTextEdit>

struct DrawObject;

// The invisible entry a text is typed into: the canvas paints the text and its caret, the entry
// only takes the keys. It sits over the text's place on the canvas, its parent.
class TextEntry : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TextEntry(QWidget *canvas);

    // Font, colour and geometry of the text being typed in `editState`.
    void place(const DrawObject &editState);
};
