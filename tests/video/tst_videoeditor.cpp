#include "../support/localservice.h"

#include "annotationeditor.h"
#include "annotationgeometry.h"
#include "editorplayback.h"
#include "recorderworld.h"
#include "serviceapi.h"
#include "settingskeys.h"
#include "storyboardtimeline.h"
#include "textoverlay.h"
#include "videoeditor.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QSize frameSize(300, 200);

// Where a frame pixel lies on the recorder's frame view.
QPoint onView(const VideoRecord &recorder, QPoint framePoint)
{
    const QLabel *view = recorder.captureLabelWindow();
    return AnnotationGeometry::FrameViewport(frameSize, view->size()).toView(framePoint);
}

void drag(VideoRecord &recorder, QPoint from, QPoint to)
{
    QLabel *view = recorder.captureLabelWindow();
    QTest::mousePress(view, Qt::LeftButton, {}, onView(recorder, from));
    QTest::mouseMove(view, onView(recorder, (from + to) / 2));
    QTest::mouseMove(view, onView(recorder, to));
    QTest::mouseRelease(view, Qt::LeftButton, {}, onView(recorder, to));
}

void click(VideoRecord &recorder, QPoint at)
{
    QTest::mouseClick(recorder.captureLabelWindow(), Qt::LeftButton, {}, onView(recorder, at));
}

// As the window system delivers it: to whatever widget lies under the pointer.
void doubleClickOnScreen(VideoRecord &recorder, QPoint at)
{
    QWidget *window = recorder.editorWindow();
    const QPoint point = recorder.captureLabelWindow()->mapTo(window, onView(recorder, at));
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, point);
}

QPushButton *button(const VideoRecord &recorder, const char *name)
{
    return recorder.editorWindow()->findChild<QPushButton *>(name);
}

// Types a text at a frame point with the text tool, which is off again afterwards.
void addText(VideoRecord &recorder, QPoint at, const QString &text)
{
    QPushButton *textTool = button(recorder, "bt_tool_text_video");
    textTool->click();
    click(recorder, at);
    QTest::keyClicks(recorder.annotationEditor()->textOverlay()->editor(), text);
    textTool->click();
}

QString saveFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + "/Quorvel/";
}

} // namespace

// The editor after a recording: annotations drawn with the mouse on the frames, their times on
// the timeline, and the export that bakes them in only when they changed.
class TestVideoEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void newAnnotationRange_data();
    void newAnnotationRange();
    void shortDragsDrawNothing_data();
    void shortDragsDrawNothing();
    void selectingTakesItsColour();
    void textIsCommittedOrDropped();
    void doubleClickOpensAText_data();
    void doubleClickOpensAText();
    void removingAnEarlierAnnotationKeepsTheSelection();
    void keysTheTextBoxLeavesNeverDeleteAnnotations_data();
    void keysTheTextBoxLeavesNeverDeleteAnnotations();
    void textSizeStopsAtItsLimits();
    void mouseHitsWhatIsShownWhenShrunk();

    void savingBakesOnlyAfterChanges_data();
    void savingBakesOnlyAfterChanges();
    void proposedNameCountsPastExistingFiles();
    void existingFileIsNeverOverwritten();
    void unchangedUploadHandsOverTheFile();

private:
    // A recorder in editing after a GIF (or MP4) recording with frames at these times; the save
    // dialog answers with `savePaths` in turn and records what it proposed.
    QPointer<VideoRecord> editingRecorder(const QList<qint64> &times,
                                          const QString &format = "gif");

    FakeWorld world;
    QStringList savePaths;
    QStringList proposedPaths;
};

void TestVideoEditor::initTestCase()
{
    QDir().mkpath(saveFolder());
}

void TestVideoEditor::init()
{
    settingsStore().clear();
    savePaths.clear();
    proposedPaths.clear();
    for (const QString &file : QDir(saveFolder()).entryList(QDir::Files))
        QFile::remove(saveFolder() + file);
}

QPointer<VideoRecord> TestVideoEditor::editingRecorder(const QList<qint64> &times,
                                                       const QString &format)
{
    storeRecorderPlacement(format, frameSize);
    VideoRecord::Environment environment = world.environment();
    environment.askSavePath = [this](const QString &proposed, const QString &) {
        proposedPaths.append(proposed);
        return savePaths.isEmpty() ? QString() : savePaths.takeFirst();
    };
    // The editor deletes the recorder when it closes.
    QPointer<VideoRecord> recorder = new VideoRecord(environment);
    recorder->show();
    recorder->on_bt_start_rec_clicked();
    for (qint64 time : times) {
        world.now = time;
        [&] {
            QVERIFY(QTest::qWaitFor([&] { return recorder->recordedFrames().queuedCount() == 0; },
                                    5000));
        }();
        recorder->captureFrame();
    }
    recorder->on_bt_start_rec_clicked();
    if (!QTest::qWaitFor([&] { return recorder->editorWindow()->isVisible(); }, 30000))
        return nullptr;
    return recorder;
}

void TestVideoEditor::newAnnotationRange_data()
{
    QTest::addColumn<QList<qint64>>("times");
    QTest::addColumn<qint64>("seekMs");
    QTest::addColumn<qint64>("startMs");
    QTest::addColumn<qint64>("endMs");
    // 25 fps: the duration is the last frame's time plus 40 ms.
    QTest::newRow("3 s of 6 s ends with the recording")
        << QList<qint64>{0, 1000, 2000, 3000, 4000, 5960} << qint64(3000) << qint64(3000)
        << qint64(6000);
    QTest::newRow("0 s of 10 s lasts five seconds")
        << QList<qint64>{0, 2500, 5000, 9960} << qint64(0) << qint64(0) << qint64(5000);
}

void TestVideoEditor::newAnnotationRange()
{
    QFETCH(QList<qint64>, times);
    QFETCH(qint64, seekMs);
    QFETCH(qint64, startMs);
    QFETCH(qint64, endMs);
    QPointer<VideoRecord> recorder = editingRecorder(times);
    QVERIFY(recorder);
    recorder->onTimelineSeek(seekMs);
    button(*recorder, "bt_tool_arrow_video")->click();
    AnnotationEditor *editor = recorder->annotationEditor();
    QCOMPARE(editor->pendingStart(), startMs);
    QCOMPARE(editor->pendingEnd(), endMs);
    // The pending band follows the annotations on the timeline.
    QCOMPARE(recorder->timelineWidget()->timelineBands().last().startMs, startMs);

    drag(*recorder, {20, 20}, {120, 90});
    QCOMPARE(editor->annotationList().size(), 1);
    const VideoAnnotation arrow = editor->annotationList().first();
    QCOMPARE(arrow.startMs, startMs);
    QCOMPARE(arrow.endMs, endMs);
    QCOMPARE(arrow.p1, QPoint(20, 20));
    QCOMPARE(arrow.p2, QPoint(120, 90));
    QVERIFY(editor->isDirty());
    recorder->close();
}

void TestVideoEditor::shortDragsDrawNothing_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("drawn");
    for (const char *tool : {"arrow", "rectangle", "blur"}) {
        QTest::addRow("%s 5 px", tool) << QString(tool) << 5 << 0;
        QTest::addRow("%s 6 px", tool) << QString(tool) << 6 << 1;
    }
}

void TestVideoEditor::shortDragsDrawNothing()
{
    QFETCH(QString, tool);
    QFETCH(int, length);
    QFETCH(int, drawn);
    QPointer<VideoRecord> recorder = editingRecorder({0, 40, 80});
    QVERIFY(recorder);
    button(*recorder, qPrintable("bt_tool_" + tool + "_video"))->click();
    drag(*recorder, {50, 50}, {50 + length, 50});
    QCOMPARE(recorder->annotationEditor()->annotationList().size(), drawn);
    QCOMPARE(recorder->annotationEditor()->isDirty(), drawn > 0);
    recorder->close();
}

void TestVideoEditor::selectingTakesItsColour()
{
    QPointer<VideoRecord> recorder = editingRecorder({0, 40, 80});
    QVERIFY(recorder);
    AnnotationEditor *editor = recorder->annotationEditor();
    QPushButton *rectangle = button(*recorder, "bt_tool_rectangle_video");
    rectangle->click();
    editor->chooseColor(QColor(20, 200, 40));
    drag(*recorder, {30, 30}, {130, 100});
    // Checking a tool clears the selection, so the next colour is for the next annotation only.
    button(*recorder, "bt_tool_arrow_video")->click();
    editor->chooseColor(QColor(40, 60, 220));
    button(*recorder, "bt_tool_arrow_video")->click();
    QVERIFY(!editor->isToolActive());
    QCOMPARE(editor->color(), QColor(40, 60, 220));

    click(*recorder, {130, 60});
    QCOMPARE(editor->selected(), 0);
    QCOMPARE(editor->color(), QColor(20, 200, 40));
    QVERIFY(button(*recorder, "bt_color_video")->styleSheet().contains("#14c828"));
    QVERIFY(recorder->timelineWidget()->timelineBands().first().selected);

    // Delete removes the selected annotation.
    QTest::keyClick(recorder->captureLabelWindow(), Qt::Key_Delete);
    QVERIFY(editor->annotationList().isEmpty());
    QCOMPARE(editor->selected(), -1);
    recorder->close();
}

void TestVideoEditor::textIsCommittedOrDropped()
{
    QPointer<VideoRecord> recorder = editingRecorder({0, 40, 80});
    QVERIFY(recorder);
    AnnotationEditor *editor = recorder->annotationEditor();
    QPlainTextEdit *typing = editor->textOverlay()->editor();
    QPushButton *textTool = button(*recorder, "bt_tool_text_video");
    textTool->click();

    // An empty new text creates nothing when the next press ends it.
    click(*recorder, {40, 40});
    QVERIFY(editor->isTextEditing());
    click(*recorder, {60, 120});
    QVERIFY(editor->annotationList().isEmpty());
    QVERIFY(!editor->isDirty());

    QTest::keyClicks(typing, "  Hello  ");
    textTool->click();
    QVERIFY(!editor->isTextEditing());
    QCOMPARE(editor->annotationList().size(), 1);
    const VideoAnnotation text = editor->annotationList().first();
    QCOMPARE(text.kind, int(VideoAnnotation::Text));
    QCOMPARE(text.text, QString("Hello"));
    QCOMPARE(text.box().topLeft(), QPoint(60, 120));
    QCOMPARE(text.fontPixelSize, TextOverlaySizing::defaultPixelSize);

    // Emptied, an existing text is deleted.
    QTest::mouseDClick(recorder->captureLabelWindow(), Qt::LeftButton, {},
                       onView(*recorder, text.box().center()));
    QVERIFY(editor->isTextEditing());
    QCOMPARE(typing->toPlainText(), QString("Hello"));
    typing->selectAll();
    QTest::keyClick(typing, Qt::Key_Delete);
    QTest::keyClick(typing, Qt::Key_Escape);
    QVERIFY(!editor->isTextEditing());
    QVERIFY(editor->annotationList().isEmpty());
    recorder->close();
}

void TestVideoEditor::doubleClickOpensAText_data()
{
    QTest::addColumn<QString>("tool");
    QTest::newRow("no tool") << QString();
    QTest::newRow("text tool") << "text";
    QTest::newRow("arrow tool") << "arrow";
}

void TestVideoEditor::doubleClickOpensAText()
{
    QFETCH(QString, tool);
    QPointer<VideoRecord> recorder = editingRecorder({0, 40, 80});
    QVERIFY(recorder);
    QVERIFY(QTest::qWaitForWindowExposed(recorder->editorWindow()));
    AnnotationEditor *editor = recorder->annotationEditor();
    QPlainTextEdit *typing = editor->textOverlay()->editor();
    addText(*recorder, {40, 40}, "Hello");
    QCOMPARE(editor->annotationList().size(), 1);
    if (!tool.isEmpty())
        button(*recorder, qPrintable("bt_tool_" + tool + "_video"))->click();

    doubleClickOnScreen(*recorder, editor->annotationList().first().box().center());
    QVERIFY(editor->isTextEditing());
    QCOMPARE(typing->toPlainText(), QString("Hello"));
    QTest::keyClicks(typing, " again");
    QTest::keyClick(typing, Qt::Key_Escape);
    QCOMPARE(editor->annotationList().size(), 1);
    QCOMPARE(editor->annotationList().first().text, QString("Hello again"));
    recorder->close();
}

// Emptying an edited text removes it from the list: the selection must follow the annotation it
// was on, or the next colour change or Delete hits another one.
void TestVideoEditor::removingAnEarlierAnnotationKeepsTheSelection()
{
    QPointer<VideoRecord> recorder = editingRecorder({0, 40, 80});
    QVERIFY(recorder);
    QVERIFY(QTest::qWaitForWindowExposed(recorder->editorWindow()));
    AnnotationEditor *editor = recorder->annotationEditor();
    QPlainTextEdit *typing = editor->textOverlay()->editor();
    addText(*recorder, {40, 40}, "Hello");
    // A drawn arrow stays selected while its tool is still on.
    button(*recorder, "bt_tool_arrow_video")->click();
    drag(*recorder, {150, 150}, {250, 180});
    QCOMPARE(editor->annotationList().size(), 2);
    QCOMPARE(editor->selected(), 1);
    const VideoAnnotation arrow = editor->annotationList().at(1);

    doubleClickOnScreen(*recorder, editor->annotationList().first().box().center());
    QVERIFY(editor->isTextEditing());
    typing->selectAll();
    QTest::keyClick(typing, Qt::Key_Delete);
    QTest::keyClick(typing, Qt::Key_Escape);
    QCOMPARE(editor->annotationList().size(), 1);
    QCOMPARE(editor->selected(), 0);
    QCOMPARE(editor->annotationList().first().p1, arrow.p1);

    editor->chooseColor(QColor(10, 20, 30));
    QCOMPARE(editor->annotationList().first().color, QColor(10, 20, 30));
    recorder->close();
}

void TestVideoEditor::keysTheTextBoxLeavesNeverDeleteAnnotations_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << Qt::KeyboardModifiers();
    QTest::newRow("Delete") << int(Qt::Key_Delete) << Qt::KeyboardModifiers();
    // A key the text box has no use for goes on to the frame view under it.
    QTest::newRow("Alt+Delete") << int(Qt::Key_Delete) << Qt::KeyboardModifiers(Qt::AltModifier);
}

void TestVideoEditor::keysTheTextBoxLeavesNeverDeleteAnnotations()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QPointer<VideoRecord> recorder = editingRecorder({0, 40, 80});
    QVERIFY(recorder);
    QVERIFY(QTest::qWaitForWindowExposed(recorder->editorWindow()));
    AnnotationEditor *editor = recorder->annotationEditor();
    QPlainTextEdit *typing = editor->textOverlay()->editor();
    button(*recorder, "bt_tool_text_video")->click();
    click(*recorder, {40, 40});
    QTest::keyClicks(typing, "first");
    // The press commits the first text, which stays selected, and opens the next one.
    click(*recorder, {60, 120});
    QCOMPARE(editor->annotationList().size(), 1);
    QCOMPARE(editor->selected(), 0);
    QVERIFY(editor->isTextEditing());
    QTest::keyClicks(typing, "second");

    QTest::keyClick(typing, Qt::Key(key), modifiers);
    QTest::keyClick(recorder->captureLabelWindow(), Qt::Key(key), modifiers);
    QVERIFY(editor->isTextEditing());
    QCOMPARE(editor->annotationList().size(), 1);
    QCOMPARE(editor->annotationList().first().text, QString("first"));
    recorder->close();
}

void TestVideoEditor::textSizeStopsAtItsLimits()
{
    QPointer<VideoRecord> recorder = editingRecorder({0, 40});
    QVERIFY(recorder);
    TextOverlay *overlay = recorder->annotationEditor()->textOverlay();
    button(*recorder, "bt_tool_text_video")->click();
    click(*recorder, {10, 10});
    QVERIFY(overlay->increaseButton()->isVisible());
    for (int i = 0; i < 60; ++i)
        overlay->increaseButton()->click();
    QCOMPARE(overlay->pixelSize(), 96);
    for (int i = 0; i < 60; ++i)
        overlay->decreaseButton()->click();
    QCOMPARE(overlay->pixelSize(), 8);
    recorder->close();
}

void TestVideoEditor::mouseHitsWhatIsShownWhenShrunk()
{
    // A frame larger than the view is shown at half its size: a drag on the view draws in frame
    // pixels where the user sees it.
    const AnnotationGeometry::FrameViewport half(QSize(800, 400), QSize(400, 300));
    QCOMPARE(half.scale(), 0.5);
    QCOMPARE(half.shownRect(), QRect(0, 50, 400, 200));
    QCOMPARE(half.toFrame(QPointF(100, 100)), QPoint(200, 100));
    QCOMPARE(half.toView(QPoint(200, 100)), QPoint(100, 100));
    // Never enlarged: a small frame lies centred at its own size.
    const AnnotationGeometry::FrameViewport small(QSize(100, 50), QSize(300, 250));
    QCOMPARE(small.scale(), 1.0);
    QCOMPARE(small.toFrame(QPointF(110, 110)), QPoint(10, 10));
}

void TestVideoEditor::savingBakesOnlyAfterChanges_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("gif") << "gif";
    QTest::newRow("mp4") << "mp4";
}

void TestVideoEditor::savingBakesOnlyAfterChanges()
{
    QFETCH(QString, format);
    QPointer<VideoRecord> recorder = editingRecorder({0, 40, 80, 120}, format);
    QVERIFY(recorder);
    const QString recorded = recorder->resultPath();
    button(*recorder, "bt_tool_rectangle_video")->click();
    drag(*recorder, {10, 10}, {90, 90});
    button(*recorder, "bt_tool_rectangle_video")->click();

    for (int i = 1; i <= 3; ++i)
        savePaths.append(saveFolder() + QString("saved%1").arg(i));
    // Changed: baked into a new temporary file, which is then saved.
    recorder->on_bt_save_clicked();
    QTRY_COMPARE_WITH_TIMEOUT(proposedPaths.size(), 1, 30000);
    const QString baked = recorder->resultPath();
    QVERIFY(baked != recorded);
    QVERIFY(baked.contains("videostream_edited"));
    QVERIFY(!QFile::exists(recorded));
    QVERIFY(!recorder->annotationEditor()->isDirty());
    QVERIFY(QFile::exists(saveFolder() + "saved1." + format));
    QCOMPARE(recorder->noticeWidget()->text(), QString("File saved successfully"));

    // Unchanged: the same file is saved at once.
    recorder->on_bt_save_clicked();
    QCOMPARE(proposedPaths.size(), 2);
    QCOMPARE(recorder->resultPath(), baked);

    // A band moved on the timeline is a change.
    emit recorder->timelineWidget()->rangeChanged(0, 40, 120);
    QCOMPARE(recorder->annotationEditor()->annotationList().first().startMs, 40);
    QVERIFY(recorder->annotationEditor()->isDirty());
    recorder->on_bt_save_clicked();
    QTRY_COMPARE_WITH_TIMEOUT(proposedPaths.size(), 3, 30000);
    QVERIFY(recorder->resultPath() != baked);
    QVERIFY(!QFile::exists(baked));
    recorder->close();
}

void TestVideoEditor::proposedNameCountsPastExistingFiles()
{
    QPointer<VideoRecord> recorder = editingRecorder({0, 40});
    QVERIFY(recorder);
    for (const char *name : {"videostream1.gif", "videostream2.gif"}) {
        QFile file(saveFolder() + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    recorder->on_bt_save_clicked();
    QCOMPARE(proposedPaths, QStringList{saveFolder() + "videostream3.gif"});
    recorder->close();
}

void TestVideoEditor::existingFileIsNeverOverwritten()
{
    QPointer<VideoRecord> recorder = editingRecorder({0, 40});
    QVERIFY(recorder);
    QSignalSpy events(recorder.data(), &VideoRecord::emitAnalitycs);
    const QString existing = saveFolder() + "mine.GIF";
    {
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("precious");
    }
    // The name already ends with the extension, whatever its case: nothing is appended.
    savePaths.append(existing);
    recorder->on_bt_save_clicked();
    QCOMPARE(recorder->noticeWidget()->text(), QString("Could not save file"));
    QVERIFY(recorder->noticeWidget()->isVisible());
    QFile file(existing);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("precious"));
    QCOMPARE(events.last().first().toString(), QString("ec=VideoButtons&ea=SaveUpload&el=Save"));
    recorder->close();
}

void TestVideoEditor::unchangedUploadHandsOverTheFile()
{
    LocalService service([](const RecordedRequest &) {
        return ScriptedReply::json({{"success", "true"}, {"fileurl", "http://x/1"}});
    });
    QVERIFY(service.listen());
    ServiceApi::setApiBaseUrl(service.baseUrl());
    QPointer<VideoRecord> recorder = editingRecorder({0, 40, 80});
    QVERIFY(recorder);
    const QString path = recorder->resultPath();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray gif = file.readAll();
    QSignalSpy events(recorder.data(), &VideoRecord::emitAnalitycs);

    recorder->on_bt_upload_clicked();
    QVERIFY(recorder->isUploading());
    QVERIFY(!recorder->editorWindow()->isVisible());
    QCOMPARE(events.last().first().toString(), QString("ec=VideoButtons&ea=SaveUpload&el=Upload"));
    // The recorder goes; the file stays until the upload is done with it.
    QTRY_VERIFY(recorder.isNull());
    QVERIFY(QFile::exists(path));
    QTRY_COMPARE_WITH_TIMEOUT(service.requestCount(), 1, 10000);
    QVERIFY(service.requests().first().body.contains(gif));
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(path), 15000);
}

QTEST_MAIN(TestVideoEditor)
#include "tst_videoeditor.moc"
