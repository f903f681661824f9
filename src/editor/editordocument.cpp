#include "editordocument.h"

#include <algorithm>

EditorDocument::EditorDocument(QObject *parent) : QObject(parent) {}

void EditorDocument::stampNewObjects()
{
    for (DrawObject &object : objects) {
        if (object.serial == 0)
            object.serial = ++lastSerial;
    }
}

void EditorDocument::pushHistory()
{
    stampNewObjects();
    QList<DrawObject> snapshot = objects;
    for (DrawObject &object : snapshot)
        object.selected = false;
    history.append(snapshot);
}

int EditorDocument::largestPictureIndex(const QList<DrawObject> &snapshot)
{
    int largest = -1;
    for (const DrawObject &object : snapshot) {
        if (object.kind == ToolKind::Picture)
            largest = std::max(largest, object.pictureIndex);
    }
    return largest;
}

void EditorDocument::truncateHistory()
{
    if (historyIndex < 0)
        return;
    history.resize(std::min<qsizetype>(historyIndex + 1, history.size()));
    // Every kept snapshot counts, not only the last: an earlier one may still show a picture
    // that the last one deleted, and undo must find it where it was.
    int largest = largestPictureIndex(objects);
    for (const QList<DrawObject> &snapshot : std::as_const(history))
        largest = std::max(largest, largestPictureIndex(snapshot));
    if (pictures.size() > largest + 1)
        pictures.resize(largest + 1);
}

void EditorDocument::reset()
{
    emit objectsAboutToBeReplaced();
    history.clear();
    objects.clear();
    pictures.clear();
    historyIndex = -1;
    selectedIndex = -1;
    grabHandle = -1;
    lastSerial = 0;
    mainPixmap = QPixmap();
    blankDocument = false;
    emit historyChanged();
    emit mainImageChanged();
    emit changed();
}

void EditorDocument::startFromImage(const QPixmap &image)
{
    mainPixmap = image;
    pictures.append(image);
    DrawObject picture;
    picture.kind = ToolKind::Picture;
    picture.pictureIndex = int(pictures.size()) - 1;
    picture.setPoints(0, 0, image.width(), image.height());
    picture.normalize(0, 0);
    objects.append(picture);
    pushHistory();
    emit historyChanged();
    emit mainImageChanged();
    emit changed();
}

void EditorDocument::startBlank(const QSize &size)
{
    QPixmap white(size);
    white.fill(Qt::white);
    startFromImage(white);
    blankDocument = true;
}

void EditorDocument::addPictureBelow(const QPixmap &image)
{
    if (mainPixmap.isNull() || blankDocument) {
        mainPixmap = image;
        emit mainImageChanged();
    }
    commitChange([this, &image] {
        if (blankDocument) {
            const auto blank =
                std::find_if(objects.begin(), objects.end(), [](const DrawObject &o) {
                    return o.kind == ToolKind::Picture && o.pictureIndex == 0;
                });
            if (blank != objects.end())
                objects.erase(blank);
            blankDocument = false;
        }
        int top = 0;
        for (const DrawObject &object : std::as_const(objects)) {
            if (object.kind == ToolKind::Picture && object.pictureIndex >= 0 &&
                object.pictureIndex < pictures.size())
                top = std::max(top, object.bounds.bottom);
        }
        pictures.append(image);
        DrawObject picture;
        picture.kind = ToolKind::Picture;
        picture.pictureIndex = int(pictures.size()) - 1;
        picture.setPoints(0, top, image.width(), top + image.height());
        picture.normalize(0, 0);
        objects.append(picture);
    });
    editState.resetPoints();
}

void EditorDocument::showSnapshot(int index)
{
    emit objectsAboutToBeReplaced();
    historyIndex = index;
    objects = history.at(index);
    selectedIndex = -1;
    grabHandle = -1;
    const auto base = std::find_if(objects.cbegin(), objects.cend(),
                                   [](const DrawObject &o) { return o.kind == ToolKind::Picture; });
    if (base != objects.cend() && base->pictureIndex >= 0 && base->pictureIndex < pictures.size()) {
        mainPixmap = pictures.at(base->pictureIndex);
        emit mainImageChanged();
    }
}

void EditorDocument::undo()
{
    const int shown = historyIndex >= 0 ? historyIndex : int(history.size()) - 1;
    // Below the first snapshot there is nothing to show; stepping to -1 would claim the newest
    // state while the oldest is shown, and the next edit would keep the undone snapshots.
    if (shown - 1 >= 0) {
        showSnapshot(shown - 1);
        emit historyChanged();
    }
    clearSelection();
    emit changed();
}

void EditorDocument::redo()
{
    if (canRedo()) {
        showSnapshot(historyIndex + 1);
        emit historyChanged();
    }
    clearSelection();
    emit changed();
}

void EditorDocument::commitChange(const std::function<void()> &change)
{
    if (historyIndex >= 0)
        truncateHistory();
    const qint64 mainKey = mainPixmap.cacheKey();
    change();
    pushHistory();
    historyIndex = -1;
    emit historyChanged();
    if (mainPixmap.cacheKey() != mainKey)
        emit mainImageChanged();
    emit changed();
}

void EditorDocument::clearSelection()
{
    for (DrawObject &object : objects)
        object.selected = false;
}

bool EditorDocument::canUndo() const
{
    return historyIndex >= 0 ? historyIndex > 0 : history.size() > 1;
}

bool EditorDocument::canRedo() const
{
    return historyIndex >= 0 && historyIndex + 1 < history.size();
}

int EditorDocument::visibleCount() const
{
    const int count = int(objects.size());
    return historyIndex >= 0 ? std::min(historyIndex + 1, count) : count;
}

QSize EditorDocument::contentSize() const
{
    QSize size = mainPixmap.size();
    for (const DrawObject &object : objects) {
        if (object.kind != ToolKind::Picture || object.pictureIndex < 0 ||
            object.pictureIndex >= pictures.size())
            continue;
        size = size.expandedTo(QSize(object.bounds.right, object.bounds.bottom));
    }
    return size;
}
