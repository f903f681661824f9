#include "capturecursor.h"
#include "mousehook.h"
#include "qxtglobalshortcut.h"
#include "x11connection.h"

#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>
#include <memory>

namespace {

void xdotool(const QStringList &arguments)
{
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), arguments), 0);
}

// Another X client, to contend for grabs the way another program would.
class OtherClient
{
public:
    OtherClient() : connection(xcb_connect(nullptr, nullptr))
    {
        root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    }
    ~OtherClient() { xcb_disconnect(connection); }

    bool grab(xcb_keysym_t keysym, quint16 modifiers)
    {
        xcb_key_symbols_t *symbols = xcb_key_symbols_alloc(connection);
        xcb_keycode_t *keycodes = xcb_key_symbols_get_keycode(symbols, keysym);
        const xcb_keycode_t keycode = keycodes ? keycodes[0] : 0;
        free(keycodes);
        xcb_key_symbols_free(symbols);
        xcb_generic_error_t *error = xcb_request_check(
            connection, xcb_grab_key_checked(connection, false, root, modifiers, keycode,
                                             XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        free(error);
        return keycode != 0 && error == nullptr;
    }

private:
    xcb_connection_t *connection;
    xcb_window_t root;
};

} // namespace

class TestX11Input : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(x11Connection()); }
    void init() { QTest::failOnWarning(QRegularExpression(".*")); }

    void hotKeyFiresSystemWide_data();
    void hotKeyFiresSystemWide();
    void grabHeldByAnotherClientFailsRegistration();
    void deletingTheShortcutReleasesTheGrab();
    void mouseHookReportsLeftClicksAtThePointer();
    void cursorPictureIsTheShownCursor();
};

void TestX11Input::hotKeyFiresSystemWide_data()
{
    QTest::addColumn<QString>("sequence");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("numLock");
    QTest::newRow("Print") << "Print"
                           << "Print" << false;
    QTest::newRow("Ctrl+Print") << "Ctrl+Print"
                                << "ctrl+Print" << false;
    QTest::newRow("Ctrl+Alt+3") << "Ctrl+Alt+3"
                                << "ctrl+alt+3" << false;
    QTest::newRow("Ctrl+Print with NumLock on") << "Ctrl+Print"
                                                << "ctrl+Print" << true;
}

void TestX11Input::hotKeyFiresSystemWide()
{
    QFETCH(QString, sequence);
    QFETCH(QString, keys);
    QFETCH(bool, numLock);
    QxtGlobalShortcut shortcut;
    QVERIFY(shortcut.setShortcut(QKeySequence(sequence)));
    QSignalSpy spy(&shortcut, &QxtGlobalShortcut::activated);
    if (numLock)
        xdotool({"key", "Num_Lock"});
    xdotool({"key", keys});
    if (numLock)
        xdotool({"key", "Num_Lock"});
    QTRY_COMPARE(spy.size(), 1);
    QCOMPARE(spy[0][0].value<QxtGlobalShortcut *>(), &shortcut);

    xdotool({"key", "Print", "ctrl+alt+4"}); // other combinations are not ours
    QTest::qWait(200);
    QCOMPARE(spy.size(), sequence == "Print" ? 2 : 1);
}

void TestX11Input::grabHeldByAnotherClientFailsRegistration()
{
    {
        OtherClient other;
        QVERIFY(other.grab(XK_Print, XCB_MOD_MASK_CONTROL));
        QxtGlobalShortcut shortcut;
        QTest::ignoreMessage(QtWarningMsg, "QxtGlobalShortcut failed to register: Ctrl+Print");
        QVERIFY(!shortcut.setShortcut(QKeySequence("Ctrl+Print")));
        QTest::ignoreMessage(QtWarningMsg, "QxtGlobalShortcut failed to unregister: Ctrl+Print");
    }
    // Nothing of the failed attempt is left behind once the other client lets go.
    QxtGlobalShortcut shortcut(QKeySequence("Ctrl+Print"));
    QSignalSpy spy(&shortcut, &QxtGlobalShortcut::activated);
    xdotool({"key", "ctrl+Print"});
    QTRY_COMPARE(spy.size(), 1);
}

void TestX11Input::deletingTheShortcutReleasesTheGrab()
{
    auto shortcut = std::make_unique<QxtGlobalShortcut>(QKeySequence("Ctrl+Alt+3"));
    QCOMPARE(shortcut->shortcut(), QKeySequence("Ctrl+Alt+3"));
    const quint16 ctrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    {
        OtherClient other;
        QVERIFY(!other.grab(XK_3, ctrlAlt));
        QVERIFY(!other.grab(XK_3, ctrlAlt | XCB_MOD_MASK_2)); // the NumLock variant is held too
    }
    shortcut.reset();
    OtherClient other;
    QVERIFY(other.grab(XK_3, ctrlAlt));
    QVERIFY(other.grab(XK_3, ctrlAlt | XCB_MOD_MASK_LOCK));
}

void TestX11Input::mouseHookReportsLeftClicksAtThePointer()
{
    MouseHook hook;
    QSignalSpy spy(&hook, &MouseHook::leftButtonPressed);
    QVERIFY(hook.install());
    xdotool({"mousemove", "123", "234", "click", "3", "click", "1"});
    QTRY_COMPARE(spy.size(), 1);
    QCOMPARE(spy[0][0].toPoint(), QPoint(123, 234));

    hook.uninstall();
    xdotool({"click", "1"});
    QTest::qWait(200);
    QCOMPARE(spy.size(), 1);
}

void TestX11Input::cursorPictureIsTheShownCursor()
{
    QPixmap picture(20, 24);
    picture.fill(QColor(255, 0, 0, 128));
    {
        QPainter painter(&picture);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(0, 0, 4, 4, QColor(0, 0, 255));
    }
    QWidget window;
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.setGeometry(0, 0, 300, 300);
    window.setCursor(QCursor(picture, 3, 5));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    xdotool({"mousemove", "150", "150"});

    QTRY_COMPARE(captureCursor().pixmap.size(), QSize(20, 24));
    const CapturedCursor cursor = captureCursor();
    QCOMPARE(cursor.hotSpot, QPoint(3, 5));
    const QImage image = cursor.pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.pixel(1, 1), qRgba(0, 0, 255, 255));
    const QRgb halfRed = image.pixel(10, 10); // straight, not premultiplied, colour
    QVERIFY2(qAbs(qRed(halfRed) - 255) <= 2 && qAbs(qAlpha(halfRed) - 128) <= 2,
             qPrintable(QString::number(halfRed, 16)));
}

QTEST_MAIN(TestX11Input)
#include "tst_x11input.moc"
