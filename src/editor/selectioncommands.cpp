#include "selectioncommands.h"

#include "editordocument.h"
#include "textmetrics.h"

#include <algorithm>

namespace SelectionCommands {

namespace {

bool isBasePicture(const EditorDocument &document, int index)
{
    return index == 0 && document.objects.at(0).kind == ToolKind::Picture;
}

// Records `edited` in place of object `index` when it differs from what is there.
bool replaceObject(EditorDocument &document, int index, const DrawObject &edited)
{
    if (document.objects.at(index) == edited)
        return false;
    document.commitChange([&] { document.objects[index] = edited; });
    return true;
}

void fitTextExtent(DrawObject &text)
{
    const QSize extent = textExtent(text.text, text.size);
    text.p2 = text.p1 + QPoint(extent.width(), extent.height());
    text.normalize(0, 0);
}

} // namespace

int selectedObject(const EditorDocument &document)
{
    const auto found = std::find_if(document.objects.cbegin(), document.objects.cend(),
                                    [](const DrawObject &object) { return object.selected; });
    return found == document.objects.cend() ? -1 : int(found - document.objects.cbegin());
}

bool removeSelected(EditorDocument &document)
{
    const int index = selectedObject(document);
    if (index < 0 || isBasePicture(document, index))
        return false;
    document.commitChange([&] { document.objects.removeAt(index); });
    document.selectedIndex = -1;
    document.grabHandle = -1;
    return true;
}

bool reorderSelected(EditorDocument &document, Reorder direction)
{
    const int index = selectedObject(document);
    if (index < 0 || isBasePicture(document, index))
        return false;
    const int layer = layerOf(document.objects.at(index));
    if (layer > 2)
        return false;
    const int step = direction == Reorder::Forward ? 1 : -1;
    for (int other = index + step; other >= 0 && other < document.objects.size(); other += step) {
        if (layerOf(document.objects.at(other)) != layer)
            continue;
        if (isBasePicture(document, other))
            return false;
        document.commitChange([&] { document.objects.swapItemsAt(index, other); });
        if (document.selectedIndex == index)
            document.selectedIndex = other;
        return true;
    }
    return false;
}

bool nudgeSelected(EditorDocument &document, Qt::Key key, QSize canvas)
{
    const int index = selectedObject(document);
    if (index < 0)
        return false;
    DrawObject moved = document.objects.at(index);
    bool nudged = false;
    switch (key) {
    case Qt::Key_Left:
        nudged = moved.nudgeLeft();
        break;
    case Qt::Key_Right:
        nudged = moved.nudgeRight(canvas.width());
        break;
    case Qt::Key_Up:
        nudged = moved.nudgeUp();
        break;
    case Qt::Key_Down:
        nudged = moved.nudgeDown(canvas.height());
        break;
    default:
        break;
    }
    return nudged && replaceObject(document, index, moved);
}

bool toggleSelectedEmphasis(EditorDocument &document)
{
    const int index = selectedObject(document);
    if (index < 0 || !canCarryBadge(document.objects.at(index).kind))
        return false;
    DrawObject toggled = document.objects.at(index);
    toggled.emphasis = toggled.emphasis == 1 ? 0 : 1;
    return replaceObject(document, index, toggled);
}

bool applySizeToSelected(EditorDocument &document, int size)
{
    const int index = selectedObject(document);
    if (index < 0 || document.objects.at(index).kind == ToolKind::Picture)
        return false;
    DrawObject resized = document.objects.at(index);
    resized.size = size;
    if (resized.kind == ToolKind::Text)
        fitTextExtent(resized);
    return replaceObject(document, index, resized);
}

bool applyColorToSelected(EditorDocument &document, const QColor &color)
{
    const int index = selectedObject(document);
    if (index < 0 || document.objects.at(index).kind == ToolKind::Picture)
        return false;
    DrawObject recoloured = document.objects.at(index);
    recoloured.color = color;
    return replaceObject(document, index, recoloured);
}

bool toggleFill(EditorDocument &document, int index)
{
    if (index < 0 || index >= document.objects.size())
        return false;
    DrawObject toggled = document.objects.at(index);
    toggled.fill = !toggled.fill;
    return replaceObject(document, index, toggled);
}

} // namespace SelectionCommands
