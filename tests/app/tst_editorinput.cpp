#include "decorations.h"
#include "editordocument.h"
#include "editorinput.h"
#include "maineditor.h"
#include "screenshot.h"
#include "settingskeys.h"
#include "textentry.h"
#include "textmetrics.h"

#include <QAbstractButton>
#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace {

QColor pixelAt(const QPixmap &pixmap, QPoint at)
{
    return pixmap.toImage().pixelColor(at);
}

bool isReddish(const QColor &color)
{
    return color.red() > 180 && color.green() < 120 && color.blue() < 120;
}

// The editor window with a grey capture, driven with the mouse and keyboard on its canvas.
class Editor
{
public:
    explicit Editor(QSize capture = QSize(400, 300))
    {
        QPixmap image(capture);
        image.fill(Qt::gray);
        document->startFromImage(image);
        window.resize(900, 600);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    Screenshot window;
    EditorDocument *document = window.editorDocument();
    MainEditor *canvas = window.editorCanvas();
    EditorInput *input = window.editorInput();

    QAbstractButton *button(const char *name)
    {
        return window.findChild<QAbstractButton *>(QLatin1String(name));
    }
    void choose(const char *toolButton) { QTest::mouseClick(button(toolButton), Qt::LeftButton); }

    void press(QPoint at, Qt::KeyboardModifiers modifiers = {},
               Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(canvas, button, modifiers, at);
    }
    // QTest's own moves carry no buttons.
    void move(QPoint to, Qt::KeyboardModifiers modifiers = {},
              Qt::MouseButtons buttons = Qt::LeftButton)
    {
        QMouseEvent event(QEvent::MouseMove, QPointF(to), QPointF(canvas->mapToGlobal(to)),
                          Qt::NoButton, buttons, modifiers);
        QApplication::sendEvent(canvas, &event);
    }
    void release(QPoint at, Qt::KeyboardModifiers modifiers = {},
                 Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(canvas, button, modifiers, at);
    }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {},
              Qt::MouseButton button = Qt::LeftButton)
    {
        press(from, modifiers, button);
        move((from + to) / 2, modifiers, button);
        move(to, modifiers, button);
        release(to, modifiers, button);
    }
    void click(QPoint at) { drag(at, at); }
    // What a real double click delivers: press, release, double click, release.
    void doubleClick(QPoint at)
    {
        click(at);
        QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(at),
                          QPointF(canvas->mapToGlobal(at)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(canvas, &event);
        release(at);
    }

    // Keys go where the keyboard focus is, as they would for a user.
    QWidget *focus() { return QApplication::focusWidget() ? QApplication::focusWidget() : &window; }
    void tapCtrl()
    {
        QTest::keyPress(focus(), Qt::Key_Control);
        QTest::keyRelease(focus(), Qt::Key_Control, Qt::ControlModifier);
    }

    const DrawObject &last() const { return document->objects.constLast(); }
    qsizetype snapshots() const { return document->history.size(); }

    void addPicture(QRect shown)
    {
        document->commitChange([&] {
            QPixmap pixmap(shown.size());
            pixmap.fill(Qt::blue);
            document->pictures.append(pixmap);
            DrawObject picture;
            picture.kind = ToolKind::Picture;
            picture.pictureIndex = int(document->pictures.size()) - 1;
            picture.setPoints(shown.left(), shown.top(), shown.left() + shown.width(),
                              shown.top() + shown.height());
            picture.normalize(0, 0);
            document->objects.append(picture);
        });
    }
};

} // namespace

class TestEditorInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { settingsStore().clear(); }

    void shortDragsAndDragsFromTheLeftEdgeCreateNothing_data()
    {
        QTest::addColumn<QByteArray>("tool");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<bool>("created");
        QTest::newRow("line of 10")
            << QByteArray("bt_tool_line") << QPoint(100, 100) << QPoint(110, 100) << false;
        QTest::newRow("line of 11")
            << QByteArray("bt_tool_line") << QPoint(100, 100) << QPoint(111, 100) << true;
        QTest::newRow("square of 9.9")
            << QByteArray("bt_tool_square") << QPoint(100, 100) << QPoint(107, 107) << false;
        QTest::newRow("arrow from x = 0")
            << QByteArray("bt_tool_arrow") << QPoint(0, 100) << QPoint(100, 150) << false;
        QTest::newRow("blur") << QByteArray("bt_tool_blur") << QPoint(100, 100) << QPoint(150, 140)
                              << true;
        QTest::newRow("blur of 10")
            << QByteArray("bt_tool_blur") << QPoint(100, 100) << QPoint(106, 108) << false;
    }
    void shortDragsAndDragsFromTheLeftEdgeCreateNothing()
    {
        QFETCH(QByteArray, tool);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(bool, created);
        Editor editor;
        editor.choose(tool.constData());
        editor.drag(from, to);
        QCOMPARE(editor.document->objects.size(), created ? 2 : 1);
        QCOMPARE(editor.snapshots(), created ? 2 : 1);
        QVERIFY(!editor.document->editState.live);
    }

    void positionsFollowScrollingAndCentring_data()
    {
        QTest::addColumn<QSize>("capture");
        QTest::addColumn<QPoint>("scroll");
        QTest::newRow("centred small capture") << QSize(300, 200) << QPoint(0, 0);
        QTest::newRow("scrolled large capture") << QSize(2000, 1500) << QPoint(300, 200);
    }
    void positionsFollowScrollingAndCentring()
    {
        QFETCH(QSize, capture);
        QFETCH(QPoint, scroll);
        Editor editor(capture);
        auto *area = editor.window.findChild<QScrollArea *>(QStringLiteral("scrollArea"));
        area->horizontalScrollBar()->setValue(scroll.x());
        area->verticalScrollBar()->setValue(scroll.y());
        QCOMPARE(editor.canvas->pos().x() > 0, scroll.isNull());

        editor.choose("bt_tool_line");
        const QPoint from = QPoint(50, 60) + scroll;
        const QPoint to = QPoint(150, 90) + scroll;
        editor.drag(from, to);
        QCOMPARE(editor.last().p1, from);
        QCOMPARE(editor.last().p2, to);
    }

    void shiftAlignsTheLineWithItsStart()
    {
        Editor editor;
        editor.choose("bt_tool_line");
        editor.press(QPoint(100, 100));
        editor.move(QPoint(120, 110), Qt::ShiftModifier);
        editor.move(QPoint(130, 120), Qt::ShiftModifier);
        editor.release(QPoint(130, 120), Qt::ShiftModifier);
        QCOMPARE(editor.last().kind, ToolKind::Line);
        QCOMPARE(editor.last().p2, QPoint(130, 100));
        const QPixmap result = editor.canvas->renderResult();
        QVERIFY(isReddish(pixelAt(result, QPoint(120, 100))));
        QVERIFY(!isReddish(pixelAt(result, QPoint(130, 120))));
    }

    void pictureBodyIsNotTakenByTheLeftButton()
    {
        Editor editor;
        editor.addPicture(QRect(100, 100, 100, 50));
        editor.choose("bt_tool_line");
        editor.press(QPoint(150, 125));
        QCOMPARE(editor.document->selectedIndex, -1);
        editor.move(QPoint(190, 125));
        editor.release(QPoint(190, 125));
        QCOMPARE(editor.last().kind, ToolKind::Line);
        QCOMPARE(editor.document->objects.at(1).bounds.rect(), QRect(100, 100, 100, 50));
    }

    void pictureCornerResizesKeepingItsAspect()
    {
        Editor editor;
        editor.addPicture(QRect(100, 100, 100, 50));
        editor.drag(QPoint(200, 150), QPoint(300, 160));
        QCOMPARE(editor.document->objects.at(1).bounds.rect(), QRect(100, 100, 200, 100));
        editor.drag(QPoint(300, 200), QPoint(115, 103));
        QCOMPARE(editor.document->objects.at(1).bounds.rect(), QRect(100, 100, 15, 10));
        QCOMPARE(editor.snapshots(), 4);
    }

    void rightButtonOrShiftDragsAPicture_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("right button") << int(Qt::RightButton) << int(Qt::NoModifier);
        QTest::newRow("shift") << int(Qt::LeftButton) << int(Qt::ShiftModifier);
    }
    void rightButtonOrShiftDragsAPicture()
    {
        QFETCH(int, button);
        QFETCH(int, modifiers);
        Editor editor;
        editor.addPicture(QRect(100, 100, 100, 50));
        editor.choose("bt_tool_line");
        editor.drag(QPoint(150, 125), QPoint(170, 135), Qt::KeyboardModifiers(modifiers),
                    Qt::MouseButton(button));
        QCOMPARE(editor.document->objects.size(), 2);
        QCOMPARE(editor.document->objects.at(1).bounds.rect(), QRect(120, 110, 100, 50));
        QVERIFY(!editor.document->objects.at(1).selected);
        QCOMPARE(editor.snapshots(), 3);
        QCOMPARE(editor.document->objects.at(0).bounds.rect(), QRect(0, 0, 400, 300));
    }

    void ctrlAloneTogglesTheBadgeOfTheSelection_data()
    {
        // The C press never arrives as a key press: the copy shortcut takes it.
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<int>("emphasis");
        QTest::newRow("Ctrl alone") << QByteArray("") << 1;
        QTest::newRow("Ctrl+C, C let go first") << QByteArray("cC") << 0;
        QTest::newRow("Ctrl+C, Ctrl let go first") << QByteArray("c!C") << 0;
    }
    void ctrlAloneTogglesTheBadgeOfTheSelection()
    {
        QFETCH(QByteArray, keys);
        QFETCH(int, emphasis);
        Editor editor;
        editor.choose("bt_tool_arrow");
        editor.drag(QPoint(100, 100), QPoint(200, 100));
        editor.click(QPoint(150, 100));
        QVERIFY(editor.last().selected);
        editor.button("bt_copy")->setEnabled(true);
        QTest::keyPress(editor.focus(), Qt::Key_Control);
        bool ctrlDown = true;
        for (const char key : keys) {
            const Qt::KeyboardModifiers held = ctrlDown ? Qt::ControlModifier : Qt::NoModifier;
            if (key == 'c')
                QTest::keyPress(editor.focus(), Qt::Key_C, held);
            else if (key == 'C')
                QTest::keyRelease(editor.focus(), Qt::Key_C, held);
            else
                QTest::keyRelease(editor.focus(), Qt::Key_Control, held);
            ctrlDown = ctrlDown && key != '!';
        }
        if (ctrlDown)
            QTest::keyRelease(editor.focus(), Qt::Key_Control, Qt::ControlModifier);
        QCOMPARE(editor.last().emphasis, emphasis);
        QCOMPARE(editor.snapshots(), emphasis == 1 ? 3 : 2);
    }

    void ctrlHeldWhileDrawingASquareGivesTheBadge_data()
    {
        QTest::addColumn<bool>("ctrlUpFirst");
        QTest::newRow("Ctrl released after the button") << false;
        QTest::newRow("Ctrl released before the button") << true;
    }
    void ctrlHeldWhileDrawingASquareGivesTheBadge()
    {
        QFETCH(bool, ctrlUpFirst);
        Editor editor;
        editor.choose("bt_tool_square");
        QTest::keyPress(editor.focus(), Qt::Key_Control);
        editor.press(QPoint(100, 100), Qt::ControlModifier);
        editor.move(QPoint(150, 150), Qt::ControlModifier);
        editor.move(QPoint(200, 180), Qt::ControlModifier);
        if (ctrlUpFirst)
            QTest::keyRelease(editor.focus(), Qt::Key_Control, Qt::ControlModifier);
        editor.release(QPoint(200, 180));
        if (!ctrlUpFirst)
            QTest::keyRelease(editor.focus(), Qt::Key_Control, Qt::ControlModifier);

        QCOMPARE(editor.last().kind, ToolKind::Square);
        QCOMPARE(editor.last().emphasis, 1);
        QCOMPARE(layerOf(editor.last()), 2);
        QVERIFY(!editor.last().fill);
        QVERIFY(!isReddish(pixelAt(editor.canvas->renderResult(), QPoint(150, 130))));

        editor.doubleClick(QPoint(150, 130));
        QVERIFY(editor.last().fill);
        QVERIFY(isReddish(pixelAt(editor.canvas->renderResult(), QPoint(150, 130))));
        QCOMPARE(editor.snapshots(), 3);
    }

    void ctrlTapWhileDrawingTogglesTheNewObjectsBadge()
    {
        Editor editor;
        editor.choose("bt_tool_line");
        editor.press(QPoint(100, 100));
        editor.move(QPoint(150, 150));
        editor.tapCtrl();
        editor.release(QPoint(200, 180));
        QCOMPARE(editor.last().emphasis, 1);
    }

    void typedTextIsCommitted_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Esc") << true;
        QTest::newRow("click elsewhere") << false;
    }
    void typedTextIsCommitted()
    {
        QFETCH(bool, byEscape);
        Editor editor;
        editor.choose("bt_tool_text");
        editor.click(QPoint(50, 60));
        TextEntry *entry = editor.input->textEntry();
        QVERIFY(entry->isVisible());
        QCOMPARE(entry->pos(), QPoint(50, 60));
        QTest::keyClicks(entry, QStringLiteral("Hi"));
        QTest::keyClick(entry, Qt::Key_Return);
        QTest::keyClicks(entry, QStringLiteral("there"));
        QCOMPARE(editor.document->editState.caret, 8);
        if (byEscape)
            QTest::keyClick(entry, Qt::Key_Escape);
        else
            editor.press(QPoint(300, 250));

        QVERIFY(!entry->isVisible());
        QCOMPARE(editor.document->objects.size(), 2);
        const DrawObject text = editor.document->objects.at(1);
        QCOMPARE(text.kind, ToolKind::Text);
        QCOMPARE(text.text, QStringLiteral("Hi\nthere"));
        QCOMPARE(text.caret, -1);
        QCOMPARE(text.p1, QPoint(50, 60));
        const QSize extent = textExtent(text.text, text.size);
        QCOMPARE(text.p2, QPoint(50 + extent.width(), 60 + extent.height()));
        QCOMPARE(editor.document->editState.caret, -1);
    }

    void doubleClickEditsATextAgain()
    {
        Editor editor;
        editor.choose("bt_tool_text");
        editor.click(QPoint(50, 60));
        TextEntry *entry = editor.input->textEntry();
        QTest::keyClicks(entry, QStringLiteral("Hi"));
        QTest::keyClick(entry, Qt::Key_Escape);
        QCOMPARE(editor.snapshots(), 2);

        editor.choose("bt_tool_line");
        editor.doubleClick(QPoint(55, 70));
        QVERIFY(entry->isVisible());
        QCOMPARE(entry->toPlainText(), QStringLiteral("Hi"));
        QVERIFY(editor.button("bt_tool_text")->isChecked());
        QCOMPARE(editor.document->objects.size(), 1);
        QTest::keyClick(entry, Qt::Key_Exclam);
        QTest::keyClick(entry, Qt::Key_Escape);
        QCOMPARE(editor.document->objects.size(), 2);
        QCOMPARE(editor.last().text, QStringLiteral("Hi!"));
        QCOMPARE(editor.snapshots(), 3);
    }

    void emptiedTextIsARecordedRemoval()
    {
        Editor editor;
        editor.choose("bt_tool_text");
        editor.click(QPoint(50, 60));
        TextEntry *entry = editor.input->textEntry();
        QTest::keyClicks(entry, QStringLiteral("Hi"));
        QTest::keyClick(entry, Qt::Key_Escape);
        editor.doubleClick(QPoint(55, 70));
        QTest::keyClick(entry, Qt::Key_Backspace);
        QTest::keyClick(entry, Qt::Key_Backspace);
        QTest::keyClick(entry, Qt::Key_Escape);
        QCOMPARE(editor.document->objects.size(), 1);
        QCOMPARE(editor.document->history.constLast().size(), 1);
        editor.window.clickUndo();
        QCOMPARE(editor.last().text, QStringLiteral("Hi"));
    }

    void deletingTheOnlyAnnotationIsUndone()
    {
        Editor editor;
        editor.choose("bt_tool_line");
        editor.drag(QPoint(100, 100), QPoint(200, 100));
        editor.click(QPoint(150, 100));
        QTest::keyClick(editor.focus(), Qt::Key_Delete);
        QCOMPARE(editor.document->objects.size(), 1);
        QTest::keyClick(editor.focus(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor.document->objects.size(), 2);
        QCOMPARE(editor.last().kind, ToolKind::Line);
    }

    void historyStepsAndClosingEndTheGestureInProgress_data()
    {
        // Where the press lands on the newest line: its body, its end handle or empty canvas.
        QTest::addColumn<QPoint>("grab");
        QTest::addColumn<QByteArray>("step");
        const std::pair<const char *, QPoint> grabs[] = {
            {"body", QPoint(150, 0)}, {"handle", QPoint(200, 0)}, {"drawing", QPoint(300, -50)}};
        for (const auto &[name, at] : grabs) {
            for (const char *step : {"Ctrl+Z", "Ctrl+U", "Ctrl+Shift+Z", "close"})
                QTest::addRow("%s, %s", name, step) << at << QByteArray(step);
        }
    }
    void historyStepsAndClosingEndTheGestureInProgress()
    {
        QFETCH(QPoint, grab);
        QFETCH(QByteArray, step);
        Editor editor;
        editor.choose("bt_tool_line");
        editor.drag(QPoint(100, 100), QPoint(200, 100));
        editor.drag(QPoint(100, 200), QPoint(200, 200));
        const bool redo = step.startsWith("Ctrl+U") || step.contains("Shift");
        // Undo takes the grabbed line away; redo brings back one after it.
        if (redo)
            editor.window.clickUndo();
        grab += QPoint(0, editor.last().p1.y());
        const QList<DrawObject> before = editor.document->objects;

        editor.press(grab);
        editor.move(grab + QPoint(30, 30));
        if (step == "close")
            editor.window.close();
        else
            QTest::keySequence(editor.focus(), QKeySequence(QString::fromLatin1(step)));
        const QList<DrawObject> afterStep = editor.document->objects;
        const qsizetype snapshots = editor.snapshots();
        editor.move(grab + QPoint(60, 45));
        editor.release(grab + QPoint(60, 45));

        QCOMPARE(editor.document->objects, afterStep);
        QCOMPARE(editor.snapshots(), snapshots);
        QVERIFY(!editor.document->editState.live);
        if (step == "close")
            QVERIFY(editor.document->objects.isEmpty());
        else
            QVERIFY(editor.document->objects != before);
        // The editor goes on working as usual.
        if (step != "close") {
            editor.drag(QPoint(50, 250), QPoint(150, 280));
            QCOMPARE(editor.last().p2, QPoint(150, 280));
        }
    }

    void toolKeysTakeEffectAtOnce()
    {
        Editor editor;
        QTest::keyClick(editor.focus(), Qt::Key_5);
        QCOMPARE(editor.document->editState.kind, ToolKind::Text);
        editor.click(QPoint(100, 100));
        QTest::keyClicks(editor.focus(), QStringLiteral("a1 2"));
        QCOMPARE(editor.document->editState.kind, ToolKind::Text);
        QCOMPARE(editor.input->textEntry()->toPlainText(), QStringLiteral("a1 2"));
        QTest::keyClick(editor.focus(), Qt::Key_Escape);
        QCOMPARE(editor.last().text, QStringLiteral("a1 2"));
        QTest::keyClick(editor.focus(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor.document->objects.size(), 1);
    }

    void badgesAreNumberedInTheOrderTheyWereAdded()
    {
        Editor editor;
        editor.choose("bt_tool_arrow");
        for (int y : {50, 100, 150})
            editor.drag(QPoint(100, y), QPoint(200, y), Qt::ControlModifier);
        editor.drag(QPoint(100, 250), QPoint(200, 250));
        const EditorDocument &document = *editor.document;
        const auto context = [&] {
            return PaintContext{document.objects, document.pictures, document.visibleCount(),
                                editor.canvas->size()};
        };
        const auto numbers = [&] {
            QList<int> shown;
            for (const DrawObject &object : document.objects) {
                if (object.emphasis == 1)
                    shown.append(badgeNumber(object, context()));
            }
            return shown;
        };
        QCOMPARE(numbers(), QList<int>({1, 2, 3}));

        editor.click(QPoint(150, 100));
        QTest::keyClick(editor.focus(), Qt::Key_Delete);
        QCOMPARE(numbers(), QList<int>({1, 2}));
        editor.window.clickUndo();
        QCOMPARE(numbers(), QList<int>({1, 2, 3}));

        // Bringing the first forward changes the paint order, not its number.
        editor.click(QPoint(150, 50));
        QTest::keyClick(editor.focus(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(editor.document->objects.at(2).p1, QPoint(100, 50));
        QCOMPARE(numbers(), QList<int>({2, 1, 3}));

        // The badge of an unbadged arrow, toggled on later, counts as that arrow was added.
        editor.click(QPoint(150, 250));
        editor.tapCtrl();
        QCOMPARE(numbers(), QList<int>({2, 1, 3, 4}));
        // The arrow being drawn is the newest.
        editor.press(QPoint(100, 280), Qt::ControlModifier);
        editor.move(QPoint(200, 280), Qt::ControlModifier);
        QCOMPARE(badgeNumber(document.editState, context()), 5);
    }

    void theBasePictureCannotBeDeletedOrReordered()
    {
        Editor editor;
        editor.addPicture(QRect(100, 100, 100, 50));
        editor.press(QPoint(300, 250), Qt::NoModifier, Qt::RightButton);
        editor.release(QPoint(300, 250), Qt::NoModifier, Qt::RightButton);
        QVERIFY(editor.document->objects.at(0).selected);
        QTest::keyClick(editor.focus(), Qt::Key_Up, Qt::ControlModifier);
        QTest::keyClick(editor.focus(), Qt::Key_Backspace);
        QCOMPARE(editor.document->objects.size(), 3 - 1);
        QCOMPARE(editor.document->objects.at(0).pictureIndex, 0);
        QCOMPARE(editor.snapshots(), 2);
    }

    void reorderingAndNudgingRecordOneSnapshotEach_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("selectedAt");
        QTest::addColumn<QPoint>("moved");
        QTest::newRow("send backward")
            << int(Qt::Key_Down) << int(Qt::ControlModifier) << 2 << QPoint();
        QTest::newRow("shift minus")
            << int(Qt::Key_Minus) << int(Qt::ShiftModifier) << 2 << QPoint();
        QTest::newRow("bring forward")
            << int(Qt::Key_Up) << int(Qt::ControlModifier) << 1 << QPoint();
        QTest::newRow("shift plus") << int(Qt::Key_Plus) << int(Qt::ShiftModifier) << 1 << QPoint();
        QTest::newRow("nudge left") << int(Qt::Key_Left) << 0 << 2 << QPoint(-5, 0);
        QTest::newRow("nudge right") << int(Qt::Key_Right) << 0 << 2 << QPoint(5, 0);
        QTest::newRow("nudge up") << int(Qt::Key_Up) << 0 << 2 << QPoint(0, -5);
        QTest::newRow("nudge down") << int(Qt::Key_Down) << 0 << 2 << QPoint(0, 5);
    }
    void reorderingAndNudgingRecordOneSnapshotEach()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, selectedAt);
        QFETCH(QPoint, moved);
        Editor editor;
        editor.choose("bt_tool_square");
        editor.drag(QPoint(50, 50), QPoint(150, 150));
        editor.drag(QPoint(200, 50), QPoint(300, 150));
        const QList<DrawObject> before = editor.document->objects;
        const QPoint grip = selectedAt == 1 ? QPoint(100, 100) : QPoint(250, 100);
        editor.click(grip);
        QVERIFY(editor.document->objects.at(selectedAt).selected);

        QTest::keyClick(editor.focus(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(editor.snapshots(), 4);
        const QList<DrawObject> &after = editor.document->objects;
        if (moved.isNull()) {
            QCOMPARE(after.at(1).p1, before.at(2).p1);
            QCOMPARE(after.at(2).p1, before.at(1).p1);
        } else {
            QCOMPARE(after.at(2).p1, before.at(2).p1 + moved);
            QCOMPARE(after.at(2).bounds.left, before.at(2).bounds.left + moved.x());
        }
    }

    void textsAreNudgedToo()
    {
        Editor editor;
        editor.choose("bt_tool_text");
        editor.click(QPoint(50, 60));
        QTest::keyClicks(editor.input->textEntry(), QStringLiteral("Hi"));
        QTest::keyClick(editor.input->textEntry(), Qt::Key_Escape);
        editor.click(QPoint(55, 70));
        QTest::keyClick(editor.focus(), Qt::Key_Left);
        QCOMPARE(editor.last().p1, QPoint(45, 60));
    }

    void sizeAndColourApplyToTheSelection()
    {
        Editor editor;
        auto *slider =
            editor.window.findChild<QAbstractSlider *>(QStringLiteral("horizontalSlider"));
        QCOMPARE(slider->value(), 7);
        editor.choose("bt_tool_line");
        editor.drag(QPoint(100, 100), QPoint(200, 100));
        QCOMPARE(editor.last().size, 7);
        editor.click(QPoint(150, 100));

        QTest::mouseClick(editor.button("bt_size_plus"), Qt::LeftButton);
        QCOMPARE(slider->value(), 8);
        QCOMPARE(editor.last().size, 8);
        QCOMPARE(editor.snapshots(), 3);

        editor.input->colorPicked(QColor(Qt::green));
        QCOMPARE(editor.last().color, QColor(Qt::green));
        QCOMPARE(editor.document->editState.color, QColor(Qt::green));
        QVERIFY(editor.button("bt_color")
                    ->styleSheet()
                    .contains(QLatin1String("background-color: #00ff00;")));
        QCOMPARE(editor.snapshots(), 4);
        editor.input->colorPicked(QColor());
        QCOMPARE(editor.snapshots(), 4);
    }

    void toolButtonsChooseTheToolAndReportIt()
    {
        Editor editor;
        QSignalSpy events(editor.input, &EditorInput::usageEvent);
        editor.choose("bt_tool_blur");
        editor.choose("bt_crop");
        QCOMPARE(editor.document->editState.kind, ToolKind::Crop);
        QVERIFY(editor.button("bt_crop")->isChecked());
        QVERIFY(!editor.button("bt_tool_blur")->isChecked());
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.at(0).at(0).toString(), QStringLiteral("ec=EditorButtons&ea=Tools.Blur"));

        // A second press of crop makes room to crop beyond the capture.
        auto *area = editor.window.findChild<QScrollArea *>(QStringLiteral("scrollArea"));
        editor.choose("bt_crop");
        QVERIFY(editor.button("bt_crop")->isChecked());
        QCOMPARE(editor.canvas->size(), area->viewport()->size().expandedTo(QSize(400, 300)));
        QCOMPARE(events.size(), 2);
        QCOMPARE(events.at(1).at(0).toString(), QStringLiteral("ec=EditorButtons&ea=Tools.Crop"));
    }

    void cropCutsTheCanvasAndIsUndone()
    {
        Editor editor;
        editor.addPicture(QRect(300, 250, 100, 50));
        editor.choose("bt_tool_line");
        editor.drag(QPoint(260, 210), QPoint(280, 230));
        editor.choose("bt_crop");
        editor.drag(QPoint(250, 200), QPoint(350, 280));

        QCOMPARE(editor.document->mainPixmap.size(), QSize(100, 80));
        QCOMPARE(editor.canvas->size(), QSize(100, 80));
        QCOMPARE(editor.document->objects.at(1).bounds.rect(), QRect(50, 50, 50, 30));
        QCOMPARE(editor.last().p1, QPoint(10, 10));
        const QPixmap result = editor.canvas->renderResult();
        QCOMPARE(pixelAt(result, QPoint(75, 65)), QColor(Qt::blue));
        QCOMPARE(pixelAt(result, QPoint(40, 60)), QColor(Qt::gray));

        editor.window.clickUndo();
        QCOMPARE(editor.document->mainPixmap.size(), QSize(400, 300));
        QCOMPARE(editor.canvas->size(), QSize(400, 300));
    }

    void shiftWheelScrollsSideways()
    {
        Editor editor(QSize(2000, 1500));
        auto *area = editor.window.findChild<QScrollArea *>(QStringLiteral("scrollArea"));
        area->horizontalScrollBar()->setValue(500);
        const QPoint at = area->viewport()->rect().center();
        QWheelEvent wheel(QPointF(at), QPointF(area->viewport()->mapToGlobal(at)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::ShiftModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(area->viewport(), &wheel);
        QCOMPARE(area->horizontalScrollBar()->value(), 620);
        QCOMPARE(area->verticalScrollBar()->value(), 0);
    }
};

QTEST_MAIN(TestEditorInput)
#include "tst_editorinput.moc"
