#include "editordocument.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QPixmap filled(int width, int height, QColor color)
{
    QPixmap pixmap(width, height);
    pixmap.fill(color);
    return pixmap;
}

DrawObject lineObject(QPoint p1, QPoint p2)
{
    DrawObject line;
    line.kind = ToolKind::Line;
    line.color = Qt::red;
    line.p1 = p1;
    line.p2 = p2;
    line.normalize(0, 0);
    return line;
}

DrawObject pictureObject(int index, QRect rect)
{
    DrawObject picture;
    picture.kind = ToolKind::Picture;
    picture.pictureIndex = index;
    picture.setPoints(rect.left(), rect.top(), rect.left() + rect.width(),
                      rect.top() + rect.height());
    picture.normalize(0, 0);
    return picture;
}

void addLine(EditorDocument &document, QPoint p1, QPoint p2)
{
    document.commitChange([&] { document.objects.append(lineObject(p1, p2)); });
}

} // namespace

class TestEditorDocument : public QObject
{
    Q_OBJECT

private slots:
    void freshCaptureHasOneSnapshotAndNothingToUndo();
    void undoingBothAnnotationsReturnsToTheBareCapture();
    void newChangeAfterUndoDropsUndoneSnapshotsAndTheirPictures();
    void truncationKeepsPicturesOfEarlierSnapshots();
    void undoAndRedoStopAtTheEndsOfTheHistory();
    void undoAfterCropRestoresTheMainImageAndCanvasSize();
    void resetEmptiesTheDocument();
};

void TestEditorDocument::freshCaptureHasOneSnapshotAndNothingToUndo()
{
    EditorDocument document;
    const QPixmap capture = filled(200, 100, Qt::blue);
    document.startFromImage(capture);

    QCOMPARE(document.history.size(), 1);
    QCOMPARE(document.objects.size(), 1);
    const DrawObject &picture = document.objects.first();
    QCOMPARE(picture.kind, ToolKind::Picture);
    QCOMPARE(picture.pictureIndex, 0);
    QCOMPARE(picture.bounds.rect(), QRect(0, 0, 200, 100));
    QCOMPARE(document.mainPixmap.cacheKey(), capture.cacheKey());
    QVERIFY(document.isOpen());
    QVERIFY(!document.canUndo());
    QVERIFY(!document.canRedo());

    document.undo();
    QCOMPARE(document.historyIndex, -1);
    QCOMPARE(document.objects, document.history.first());
}

void TestEditorDocument::undoingBothAnnotationsReturnsToTheBareCapture()
{
    EditorDocument document;
    document.startFromImage(filled(200, 100, Qt::blue));
    const QList<DrawObject> bare = document.objects;
    addLine(document, QPoint(10, 10), QPoint(50, 50));
    addLine(document, QPoint(20, 60), QPoint(90, 60));
    QVERIFY(document.canUndo());
    QVERIFY(!document.canRedo());
    QCOMPARE(document.history.last(), document.objects);

    QSignalSpy repaints(&document, &EditorDocument::changed);
    document.undo();
    QCOMPARE(document.historyIndex, 1);
    QVERIFY(document.canUndo());
    QVERIFY(document.canRedo());
    document.undo();
    QCOMPARE(document.historyIndex, 0);
    QCOMPARE(document.objects, bare);
    QVERIFY(!document.canUndo());
    QVERIFY(document.canRedo());
    QCOMPARE(repaints.count(), 2);

    document.redo();
    document.redo();
    QCOMPARE(document.historyIndex, 2);
    QCOMPARE(document.objects.size(), 3);
    QVERIFY(!document.canRedo());
    QVERIFY(document.canUndo());
}

void TestEditorDocument::newChangeAfterUndoDropsUndoneSnapshotsAndTheirPictures()
{
    EditorDocument document;
    document.startFromImage(filled(200, 100, Qt::blue));
    document.addPictureBelow(filled(50, 40, Qt::green));
    addLine(document, QPoint(10, 10), QPoint(50, 50));
    QCOMPARE(document.pictures.size(), 2);
    document.undo();
    document.undo();

    addLine(document, QPoint(5, 80), QPoint(150, 80));
    QCOMPARE(document.history.size(), 2);
    QCOMPARE(document.historyIndex, -1);
    QCOMPARE(document.pictures.size(), 1);
    QCOMPARE(document.objects.size(), 2);
    QCOMPARE(document.objects.last().p2, QPoint(150, 80));
    QVERIFY(document.canUndo());
    QVERIFY(!document.canRedo());
}

void TestEditorDocument::truncationKeepsPicturesOfEarlierSnapshots()
{
    EditorDocument document;
    document.startFromImage(filled(200, 100, Qt::blue));
    const QPixmap added = filled(50, 40, Qt::green);
    document.addPictureBelow(added);
    document.commitChange([&] { document.objects.removeLast(); });
    addLine(document, QPoint(10, 10), QPoint(50, 50));
    document.undo();

    // The newest kept snapshot no longer shows the added picture, an older one still does.
    addLine(document, QPoint(5, 80), QPoint(150, 80));
    document.undo();
    document.undo();
    QCOMPARE(document.objects.size(), 2);
    const DrawObject &picture = document.objects.last();
    QCOMPARE(picture.kind, ToolKind::Picture);
    QVERIFY(picture.pictureIndex < document.pictures.size());
    QCOMPARE(document.pictures.at(picture.pictureIndex).cacheKey(), added.cacheKey());
}

void TestEditorDocument::undoAndRedoStopAtTheEndsOfTheHistory()
{
    EditorDocument document;
    document.startFromImage(filled(200, 100, Qt::blue));
    addLine(document, QPoint(10, 10), QPoint(50, 50));
    const QList<DrawObject> newest = document.objects;

    // Redo while the newest snapshot is shown must not jump back to the first one.
    document.redo();
    QCOMPARE(document.historyIndex, -1);
    QCOMPARE(document.objects, newest);

    document.undo();
    document.undo();
    QCOMPARE(document.historyIndex, 0);
    document.redo();
    QCOMPARE(document.objects, newest);
    QCOMPARE(document.historyIndex, 1);
    document.redo();
    QCOMPARE(document.historyIndex, 1);

    // An undo past the first snapshot keeps it shown, so the next edit still discards the
    // undone snapshots.
    document.undo();
    document.undo();
    QCOMPARE(document.historyIndex, 0);
    addLine(document, QPoint(1, 90), QPoint(100, 90));
    QCOMPARE(document.history.size(), 2);
}

void TestEditorDocument::undoAfterCropRestoresTheMainImageAndCanvasSize()
{
    EditorDocument document;
    const QPixmap capture = filled(400, 300, Qt::blue);
    document.startFromImage(capture);
    document.addPictureBelow(filled(120, 50, Qt::green));
    QCOMPARE(document.contentSize(), QSize(400, 350));

    const QPixmap cropped = capture.copy(10, 10, 60, 40);
    document.commitChange([&] {
        document.pictures.append(cropped);
        document.objects = {pictureObject(int(document.pictures.size()) - 1, QRect(0, 0, 60, 40))};
        document.mainPixmap = cropped;
    });
    QCOMPARE(document.contentSize(), QSize(60, 40));

    QSignalSpy resized(&document, &EditorDocument::mainImageChanged);
    document.undo();
    QCOMPARE(resized.count(), 1);
    QCOMPARE(document.mainPixmap.cacheKey(), capture.cacheKey());
    QCOMPARE(document.contentSize(), QSize(400, 350));
    document.redo();
    QCOMPARE(document.mainPixmap.cacheKey(), cropped.cacheKey());
    QCOMPARE(document.contentSize(), QSize(60, 40));
}

void TestEditorDocument::resetEmptiesTheDocument()
{
    EditorDocument document;
    document.startFromImage(filled(200, 100, Qt::blue));
    addLine(document, QPoint(10, 10), QPoint(50, 50));
    document.undo();
    document.selectedIndex = 1;
    document.grabHandle = 2;
    document.blankDocument = true;

    QSignalSpy buttons(&document, &EditorDocument::historyChanged);
    document.reset();
    QCOMPARE(buttons.count(), 1);
    QVERIFY(document.objects.isEmpty() && document.pictures.isEmpty());
    QVERIFY(document.history.isEmpty());
    QVERIFY(document.mainPixmap.isNull());
    QCOMPARE(document.historyIndex, -1);
    QCOMPARE(document.selectedIndex, -1);
    QCOMPARE(document.grabHandle, -1);
    QVERIFY(!document.blankDocument);
    QVERIFY(!document.isOpen() && !document.canUndo() && !document.canRedo());
    QCOMPARE(document.contentSize(), QSize(0, 0));
}

QTEST_MAIN(TestEditorDocument)
#include "tst_editordocument.moc"
