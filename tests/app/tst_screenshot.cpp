#include "editordocument.h"
#include "maineditor.h"
#include "qrscanner.h"
#include "ruler.h"
#include "screenshot.h"
#include "selectregion.h"
#include "settingskeys.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

namespace {

QString plainText(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

template <typename Window> QList<Window *> openWindows()
{
    QList<Window *> found;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<Window *>(widget))
            found << window;
    return found;
}

QStringList menuEntries(const QMenu *menu)
{
    QStringList entries;
    for (const QAction *action : menu->actions())
        entries << (action->isSeparator() ? QStringLiteral("—") : action->text());
    return entries;
}

} // namespace

class ScreenshotShell : public QObject
{
    Q_OBJECT

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        event->ignore();
        return true;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(settingsStore().fileName().contains(QLatin1String(".qttest")));
    }
    void init() { settingsStore().clear(); }

    void freshStoreGivesDefaultsAndCreatesUuidOnce()
    {
        QCOMPARE(storedToolSize(), 7);
        QCOMPARE(storedToolColor(), QColor(Qt::red));
        QCOMPARE(storedLanguageFile(), QStringLiteral("English.en.qm"));
        QVERIFY(!isLoggedIn());

        {
            Screenshot window;
        }
        const QString created = settingsStore().value(SettingsKeys::Uuid).toString();
        QCOMPARE(created.size(), 38);
        QVERIFY(created.startsWith(QLatin1Char('{')) && created.endsWith(QLatin1Char('}')));
        {
            Screenshot window;
        }
        QCOMPARE(settingsStore().value(SettingsKeys::Uuid).toString(), created);
    }

    void loggedInOnlyWithARealToken_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<bool>("loggedIn");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("zero") << QStringLiteral("0") << false;
        QTest::newRow("token") << QStringLiteral("a1b2") << true;
    }
    void loggedInOnlyWithARealToken()
    {
        QFETCH(QString, token);
        QFETCH(bool, loggedIn);
        settingsStore().setValue(SettingsKeys::Token, token);
        QCOMPARE(isLoggedIn(), loggedIn);
    }

    void trayMenuHasEveryEntryInOrder()
    {
        Screenshot window;
        const QMenu *menu = window.trayContextMenu();
        QCOMPARE(menuEntries(menu),
                 QStringList({"&Capture Region", "&Capture Full Screen", "&Capture Video", "—",
                              "&Tools", "—", "&Open editor", "&Send any file",
                              "&All my files / My account", "—", "&Settings", "—", "&Quit"}));
        const QAction *tools = menu->actions().at(4);
        QVERIFY(tools->menu());
        QCOMPARE(menuEntries(tools->menu()),
                 QStringList({"&Ruler and measurement", "&QR Scanner", "&OCR Scanner"}));
        QCOMPARE(window.systemTrayIcon()->toolTip(),
                 QStringLiteral("Quorvel - Click to capture screen"));
        QCOMPARE(window.systemTrayIcon()->contextMenu(), menu);
    }

    void closingTheEditorHidesItAndEmptiesTheDocument()
    {
        Screenshot window;
        QPixmap capture(120, 80);
        capture.fill(Qt::blue);
        window.editorDocument()->startFromImage(capture);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.close() == false || !window.isVisible());
        QVERIFY(!window.isVisible());
        QVERIFY(!window.editorDocument()->isOpen());
        QVERIFY(window.editorDocument()->objects.isEmpty());
        QVERIFY(window.editorDocument()->mainPixmap.isNull());
        QCOMPARE(window.editorCanvas()->size(), QSize(0, 0));
    }

    void destructorStoresToolSizeAndColour()
    {
        {
            Screenshot window;
            QCOMPARE(window.editorDocument()->editState.size, 7);
            QCOMPARE(window.editorDocument()->editState.color, QColor(Qt::red));
            window.editorDocument()->editState.size = 9;
            window.editorDocument()->editState.color = QColor(18, 52, 86);
        }
        QCOMPARE(settingsStore().value(SettingsKeys::SizeTool).toInt(), 9);
        QCOMPARE(settingsStore().value(SettingsKeys::ColorTool).toString(),
                 QStringLiteral("#123456"));
        Screenshot reopened;
        QCOMPARE(reopened.editorDocument()->editState.color, QColor(18, 52, 86));
    }

    void anUnreadableStoredColourGivesTheDefault_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("not a colour") << "bright";
        QTest::newRow("short hex") << "#12345";
        QTest::newRow("empty") << "";
    }
    void anUnreadableStoredColourGivesTheDefault()
    {
        QFETCH(QString, stored);
        settingsStore().setValue(SettingsKeys::ColorTool, stored);
        QCOMPARE(storedToolColor(), QColor(Qt::red));
        Screenshot window;
        QCOMPARE(window.editorDocument()->editState.color, QColor(Qt::red));
    }

    void trayEntriesReachTheirFlows_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("Capture Region") << 0 << "selector";
        QTest::newRow("Capture Full Screen") << 1 << "capture";
        QTest::newRow("Open editor") << 6 << "blank";
    }
    void trayEntriesReachTheirFlows()
    {
        QFETCH(int, entry);
        QFETCH(QString, outcome);
        Screenshot window;
        QPixmap desktop(320, 200);
        desktop.fill(Qt::darkCyan);
        window.setDesktopGrabber([desktop] { return desktop; });
        window.trayContextMenu()->actions().at(entry)->trigger();

        const auto selectors = QApplication::topLevelWidgets();
        const bool selectorOpen = std::any_of(selectors.cbegin(), selectors.cend(), [](QWidget *w) {
            return qobject_cast<SelectRegion *>(w) && w->isVisible();
        });
        QCOMPARE(selectorOpen, outcome == "selector");
        QCOMPARE(window.isVisible(), outcome != "selector");
        QCOMPARE(window.editorDocument()->isOpen(), outcome != "selector");
        QCOMPARE(window.editorDocument()->blankDocument, outcome == "blank");
        for (QWidget *w : selectors) {
            if (qobject_cast<SelectRegion *>(w))
                delete w;
        }
    }

    void toolEntriesReuseTheirWindowUntilItIsDestroyed()
    {
        Screenshot window;
        QMenu *tools = window.trayContextMenu()->actions().at(4)->menu();
        QAction *rulerEntry = tools->actions().at(0);
        QAction *qrEntry = tools->actions().at(1);

        rulerEntry->trigger();
        QCOMPARE(openWindows<Ruler>().size(), 1);
        Ruler *ruler = openWindows<Ruler>().first();
        QVERIFY(ruler->isVisible());
        QCOMPARE(ruler->geometry(), QGuiApplication::primaryScreen()->availableGeometry());
        ruler->close();
        QVERIFY(!ruler->isVisible());
        rulerEntry->trigger();
        QCOMPARE(openWindows<Ruler>(), QList<Ruler *>{ruler});
        QVERIFY(ruler->isVisible());
        delete ruler;
        rulerEntry->trigger();
        QCOMPARE(openWindows<Ruler>().size(), 1);

        qrEntry->trigger();
        QCOMPARE(openWindows<QrScanner>().size(), 1);
        QrScanner *scanner = openWindows<QrScanner>().first();
        QTest::qWait(400);
        qrEntry->trigger();
        QCOMPARE(openWindows<QrScanner>(), QList<QrScanner *>{scanner});
        delete scanner;
        qrEntry->trigger();
        QCOMPARE(openWindows<QrScanner>().size(), 1);

        qDeleteAll(openWindows<Ruler>());
        qDeleteAll(openWindows<QrScanner>());
        qDeleteAll(openWindows<SelectRegion>());
    }

    void quitEndsTheEventLoopWhateverIsOpen()
    {
        Screenshot window;
        window.show();
        QWidget refusesToClose;
        refusesToClose.installEventFilter(this);
        refusesToClose.show();
        QAction *quit = window.trayContextMenu()->actions().constLast();
        QTimer::singleShot(0, quit, &QAction::trigger);
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    void formHasEveryWidget_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("checkable");
        QTest::newRow("crop") << "bt_crop"
                              << "Crop (1)"
                              << "1" << true;
        QTest::newRow("arrow") << "bt_tool_arrow"
                               << "Arrow (2)"
                               << "2" << true;
        QTest::newRow("line") << "bt_tool_line"
                              << "Line (3)"
                              << "3" << true;
        QTest::newRow("square") << "bt_tool_square"
                                << "Square (4)\nHold Ctrl to draw a filled square"
                                << "4" << true;
        QTest::newRow("text") << "bt_tool_text"
                              << "Text (5)"
                              << "5" << true;
        QTest::newRow("blur") << "bt_tool_blur"
                              << "Blur (6)"
                              << "6" << true;
        QTest::newRow("add picture") << "bt_add_picture"
                                     << "Capture region and add to the bottom of the main picture"
                                     << "7" << false;
        QTest::newRow("add photo")
            << "bt_add_photo"
            << "Open image file and add to the bottom of the main picture (8)"
            << "8" << false;
        QTest::newRow("undo") << "bt_undo"
                              << "Undo (Ctrl+Z)"
                              << "Ctrl+Z" << false;
        QTest::newRow("redo") << "bt_redo"
                              << "Redo (Ctrl+U)"
                              << "Ctrl+U" << false;
        QTest::newRow("color") << "bt_color"
                               << "Choose color"
                               << "" << false;
        QTest::newRow("minus") << "bt_size_minus"
                               << "Decrease size"
                               << "" << false;
        QTest::newRow("plus") << "bt_size_plus"
                              << "Increase size"
                              << "" << false;
        QTest::newRow("copy") << "bt_copy"
                              << "Copy to clipboard (Ctrl+C)"
                              << "Ctrl+C" << false;
        QTest::newRow("save") << "bt_save"
                              << "Save (Ctrl+S)"
                              << "Ctrl+S" << false;
        QTest::newRow("external") << "bt_external_editor"
                                  << ""
                                  << "Ctrl+E" << false;
        QTest::newRow("upload") << "bt_upload"
                                << "Upload (Ctrl+Spase)"
                                << "Ctrl+Space" << false;
    }
    void formHasEveryWidget()
    {
        QFETCH(QString, name);
        QFETCH(QString, tooltip);
        QFETCH(QString, shortcut);
        QFETCH(bool, checkable);
        Screenshot window;
        const auto *button = window.findChild<QAbstractButton *>(name);
        QVERIFY2(button, qPrintable(name));
        QCOMPARE(plainText(button->toolTip()), tooltip);
        if (!tooltip.isEmpty())
            QVERIFY(Qt::mightBeRichText(button->toolTip()));
        QCOMPARE(button->shortcut(), QKeySequence(shortcut));
        QCOMPARE(button->isCheckable(), checkable);
    }

    void windowIsTheDarkEditorShell()
    {
        Screenshot window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Quorvel"));
        QCOMPARE(window.minimumSize(), QSize(650, 400));
        QVERIFY(window.styleSheet().contains(QLatin1String("rgb(83, 83, 83)")));
        QVERIFY(window.findChild<QSlider *>(QStringLiteral("horizontalSlider")));
        QVERIFY(window.findChild<QWidget *>(QStringLiteral("scrollArea")));
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(ScreenshotShell)
#include "tst_screenshot.moc"
