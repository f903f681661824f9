#pragma once

#include "drawobject.h"

#include <QColor>
#include <QSize>
#include <Qt>

class EditorDocument;

// Edits of the selected object, each recorded as one change when it changes something. They
// return whether they did.
namespace SelectionCommands {

// The first object with `selected` set, -1 when there is none.
int selectedObject(const EditorDocument &document);

// The base picture stays: the document is defined by it.
bool removeSelected(EditorDocument &document);

enum class Reorder
{
    Backward,
    Forward
};
// Swaps with the nearest object of the same paint layer; the topmost layer is not reordered and
// the base picture keeps its place.
bool reorderSelected(EditorDocument &document, Reorder direction);

// Left, right, up or down by the object's step, kept inside the canvas.
bool nudgeSelected(EditorDocument &document, Qt::Key key, QSize canvas);

// The numbered badge on or off, for the kinds that can carry it.
bool toggleSelectedEmphasis(EditorDocument &document);

// Pictures have neither: they are left alone. A text's extent follows its size.
bool applySizeToSelected(EditorDocument &document, int size);
bool applyColorToSelected(EditorDocument &document, const QColor &color);

bool toggleFill(EditorDocument &document, int index);

} // namespace SelectionCommands
