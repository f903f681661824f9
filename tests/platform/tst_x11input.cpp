#include "capturecursor.h"
#include "mousehook.h"
#include "qxtglobalshortcut.h"
#include "translucency.h"
#include "x11connection.h"
#include "x11otherclient.h"

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

#include <memory>
#include <vector>

namespace {

void xdotool(const QStringList &arguments)
{
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), arguments), 0);
}

// Switches the server to another keyboard layout for as long as it lives. The server is shared
// with other tests, so its rules, model, layout, variant and options are put back.
class KeyboardLayout
{
public:
    explicit KeyboardLayout(const QString &layout)
    {
        if (layout.isEmpty())
            return;
        QProcess query;
        query.start(QStringLiteral("setxkbmap"), {"-query"});
        QVERIFY(query.waitForFinished());
        for (const QString &line :
             QString::fromLocal8Bit(query.readAllStandardOutput()).split('\n')) {
            const QString name = line.section(':', 0, 0).trimmed();
            const QString value = line.section(':', 1).trimmed();
            if (!value.isEmpty())
                saved << (name == "options" ? QStringLiteral("-option") : "-" + name) << value;
        }
        QVERIFY(saved.contains("-layout"));
        setxkbmap({"-layout", layout});
    }
    ~KeyboardLayout()
    {
        if (!saved.isEmpty())
            setxkbmap(saved);
    }

private:
    static void setxkbmap(const QStringList &arguments)
    {
        QCOMPARE(QProcess::execute(QStringLiteral("setxkbmap"), arguments), 0);
    }
    QStringList saved;
};

// A left-handed pointer for as long as it lives, as `xmodmap -e "pointer = 3 2 1"` makes it;
// then the mapping the server had is put back.
class SwappedButtons
{
public:
    SwappedButtons()
    {
        X11Reply<xcb_get_pointer_mapping_reply_t> reply(
            xcb_get_pointer_mapping_reply(x11Connection(), xcb_get_pointer_mapping(x11Connection()),
                                          nullptr),
            &free);
        QVERIFY(reply && xcb_get_pointer_mapping_map_length(reply.get()) >= 3);
        const uint8_t *map = xcb_get_pointer_mapping_map(reply.get());
        saved.assign(map, map + xcb_get_pointer_mapping_map_length(reply.get()));
        std::vector<uint8_t> swapped = saved;
        std::swap(swapped[0], swapped[2]);
        apply(swapped);
    }
    ~SwappedButtons()
    {
        if (!saved.empty())
            apply(saved);
    }

private:
    static void apply(const std::vector<uint8_t> &map)
    {
        X11Reply<xcb_set_pointer_mapping_reply_t> reply(
            xcb_set_pointer_mapping_reply(
                x11Connection(),
                xcb_set_pointer_mapping(x11Connection(), quint8(map.size()), map.data()), nullptr),
            &free);
        QVERIFY(reply && reply->status == XCB_MAPPING_STATUS_SUCCESS);
    }
    std::vector<uint8_t> saved;
};

constexpr quint16 ctrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;

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
    void hotKeyFollowsALayoutChange();
    void combinationsTypedAlikeAreHeldOnce();
    void mouseHookReportsLeftClicksAtThePointer();
    void mouseHookFollowsThePointerMapping();
    void cursorPictureIsTheShownCursor();
    void seeThroughWindowsNeedACompositingManager();
};

void TestX11Input::hotKeyFiresSystemWide_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("sequence");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("numLock");
    QTest::newRow("Print") << ""
                           << "Print"
                           << "Print" << false;
    QTest::newRow("Ctrl+Print") << ""
                                << "Ctrl+Print"
                                << "ctrl+Print" << false;
    QTest::newRow("Ctrl+Alt+3") << ""
                                << "Ctrl+Alt+3"
                                << "ctrl+alt+3" << false;
    QTest::newRow("Ctrl+Print with NumLock on") << ""
                                                << "Ctrl+Print"
                                                << "ctrl+Print" << true;
    // On a French keyboard the digits sit on the shifted level, a backslash on the AltGr level.
    QTest::newRow("French Ctrl+Alt+3") << "fr"
                                       << "Ctrl+Alt+3"
                                       << "ctrl+alt+3" << false;
    QTest::newRow("French Ctrl+Alt+3 with NumLock on") << "fr"
                                                       << "Ctrl+Alt+3"
                                                       << "ctrl+alt+3" << true;
    QTest::newRow("French Ctrl+\\") << "fr"
                                    << "Ctrl+\\"
                                    << "ctrl+backslash" << false;
    QTest::newRow("French Print") << "fr"
                                  << "Print"
                                  << "Print" << false;
}

void TestX11Input::hotKeyFiresSystemWide()
{
    QFETCH(QString, layout);
    QFETCH(QString, sequence);
    QFETCH(QString, keys);
    QFETCH(bool, numLock);
    KeyboardLayout keyboard(layout);
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

    // Other combinations are not ours; AltGr makes another combination too.
    xdotool(
        {"key", "Print", "ctrl+alt+4", "ISO_Level3_Shift+Print", "ctrl+alt+ISO_Level3_Shift+3"});
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

void TestX11Input::hotKeyFollowsALayoutChange()
{
    QxtGlobalShortcut shortcut(QKeySequence("Ctrl+Alt+3"));
    QSignalSpy spy(&shortcut, &QxtGlobalShortcut::activated);
    {
        KeyboardLayout french(QStringLiteral("fr"));
        // Held again on the shifted level, where French puts the digit.
        QTRY_VERIFY(!OtherClient().grab(XK_3, ctrlAlt | XCB_MOD_MASK_SHIFT));
        QVERIFY(OtherClient().grab(XK_quotedbl, ctrlAlt)); // the old grab is given back
        xdotool({"key", "ctrl+alt+3"});
        QTRY_COMPARE(spy.size(), 1);
    }
    QTRY_VERIFY(OtherClient().grab(XK_3, ctrlAlt | XCB_MOD_MASK_SHIFT));
    xdotool({"key", "ctrl+alt+3"});
    QTRY_COMPARE(spy.size(), 2);
}

void TestX11Input::combinationsTypedAlikeAreHeldOnce()
{
    KeyboardLayout french(QStringLiteral("fr"));
    QxtGlobalShortcut digit(QKeySequence("Ctrl+Alt+3"));
    QSignalSpy spy(&digit, &QxtGlobalShortcut::activated);
    // With Shift, the same keys that type the French digit: the press could not tell them apart.
    QxtGlobalShortcut shifted;
    QTest::ignoreMessage(QtWarningMsg, "QxtGlobalShortcut failed to register: Ctrl+Alt+Shift+3");
    QVERIFY(!shifted.setShortcut(QKeySequence("Ctrl+Alt+Shift+3")));
    xdotool({"key", "ctrl+alt+3"});
    QTRY_COMPARE(spy.size(), 1);
    QTest::ignoreMessage(QtWarningMsg, "QxtGlobalShortcut failed to unregister: Ctrl+Alt+Shift+3");
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

void TestX11Input::mouseHookFollowsThePointerMapping()
{
    MouseHook hook;
    QSignalSpy spy(&hook, &MouseHook::leftButtonPressed);
    QVERIFY(hook.install());
    const auto clicks = [&spy](const char *button) {
        xdotool({"click", button});
        QTest::qWait(200);
        return spy.size();
    };
    {
        SwappedButtons leftHanded;
        QCOMPARE(clicks("1"), 0); // the left-hand user's right button
        QCOMPARE(clicks("3"), 1);
    }
    QCOMPARE(clicks("3"), 1);
    QCOMPARE(clicks("1"), 2);
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

void TestX11Input::seeThroughWindowsNeedACompositingManager()
{
    // The test's X server runs none; one announces itself by owning the screen's selection.
    QVERIFY(!windowsCanBeSeeThrough());
    xcb_connection_t *connection = x11Connection();
    const xcb_window_t manager = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, manager, x11RootWindow(connection), 0, 0, 1,
                      1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const X11Reply<xcb_intern_atom_reply_t> selection(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, 13, "_NET_WM_CM_S0"),
                              nullptr),
        &free);
    QVERIFY(selection);
    xcb_set_selection_owner(connection, manager, selection->atom, XCB_CURRENT_TIME);
    QVERIFY(windowsCanBeSeeThrough());
    xcb_destroy_window(connection, manager);
    QVERIFY(!windowsCanBeSeeThrough());
}

QTEST_MAIN(TestX11Input)
#include "tst_x11input.moc"
