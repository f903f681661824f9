#include "capturecursor.h"
#include "cursorpixels.h"
#include "hookkeybord.h"
#include "mousehook.h"
#include "mousehookbackend.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <vector>

namespace {

// Stands for the system hook: the test plays the system by calling the handler.
class FakeMouseSystem : public MouseHookBackend
{
public:
    bool install(LeftButtonHandler leftButtonHandler) override
    {
        ++installs;
        if (refuse)
            return false;
        handler = leftButtonHandler;
        return true;
    }
    void uninstall() override { handler = nullptr; }

    LeftButtonHandler handler = nullptr;
    int installs = 0;
    bool refuse = false;
};

} // namespace

class TestInputHooks : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        mouse = std::make_unique<FakeMouseSystem>();
        setMouseHookBackend(mouse.get());
    }
    void cleanup()
    {
        setMouseHookBackend(nullptr);
        mouse.reset();
    }

    void mouseHookDeliversPressesQueued();
    void pressQueuedBeforeUninstallIsDropped();
    void lastInstalledInstanceTakesOverTheOneHook();
    void refusedHookLeavesNoActiveInstance();
    void printScreenModifierRule_data();
    void printScreenModifierRule();
    void offscreenHooksReportNothing();
    void alphaFixUp_data();
    void alphaFixUp();
    void monochromeCursorIsHalfTheMaskHeight();
    void offscreenCursorIsTheBuiltInArrow();

private:
    std::unique_ptr<FakeMouseSystem> mouse;
};

void TestInputHooks::mouseHookDeliversPressesQueued()
{
    MouseHook hook;
    QSignalSpy spy(&hook, &MouseHook::leftButtonPressed);
    QVERIFY(hook.install());
    QVERIFY(hook.install());
    QCOMPARE(mouse->installs, 1);

    mouse->handler(QPoint(2500, 40));
    QCOMPARE(spy.size(), 0); // the system's hook must return before anyone reacts
    QTRY_COMPARE(spy.size(), 1);
    QCOMPARE(spy[0][0].toPoint(), QPoint(2500, 40));
}

void TestInputHooks::pressQueuedBeforeUninstallIsDropped()
{
    auto hook = std::make_unique<MouseHook>();
    QSignalSpy spy(hook.get(), &MouseHook::leftButtonPressed);
    QVERIFY(hook->install());
    const MouseHookBackend::LeftButtonHandler handler = mouse->handler;
    handler(QPoint(1, 2));
    hook->uninstall();
    QVERIFY(!mouse->handler);
    QTest::qWait(50);
    QCOMPARE(spy.size(), 0);

    QVERIFY(hook->install());
    handler(QPoint(3, 4));
    hook.reset(); // the destructor uninstalls as well; the late press must find no one
    QTest::qWait(50);
    QVERIFY(!mouse->handler);
}

void TestInputHooks::lastInstalledInstanceTakesOverTheOneHook()
{
    MouseHook first;
    MouseHook second;
    QSignalSpy firstSpy(&first, &MouseHook::leftButtonPressed);
    QSignalSpy secondSpy(&second, &MouseHook::leftButtonPressed);
    QVERIFY(first.install());
    QVERIFY(second.install());
    QCOMPARE(mouse->installs, 1);

    first.uninstall(); // no longer active: must not take the hook from the second
    QVERIFY(mouse->handler);
    mouse->handler(QPoint(5, 6));
    QTRY_COMPARE(secondSpy.size(), 1);
    QCOMPARE(firstSpy.size(), 0);

    second.uninstall();
    QVERIFY(!mouse->handler);
}

void TestInputHooks::refusedHookLeavesNoActiveInstance()
{
    mouse->refuse = true;
    MouseHook hook;
    QVERIFY(!hook.install());
    mouse->refuse = false;
    QVERIFY(hook.install());
    QCOMPARE(mouse->installs, 2);
}

void TestInputHooks::printScreenModifierRule_data()
{
    QTest::addColumn<bool>("control");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<Qt::KeyboardModifiers>("expected");
    QTest::newRow("plain, also with Alt alone") << false << false << Qt::KeyboardModifiers();
    QTest::newRow("Ctrl") << true << false << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("Shift") << false << true << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("Ctrl+Shift") << true << true << (Qt::ControlModifier | Qt::ShiftModifier);
}

void TestInputHooks::printScreenModifierRule()
{
    QFETCH(bool, control);
    QFETCH(bool, shift);
    QFETCH(Qt::KeyboardModifiers, expected);
    QCOMPARE(printScreenModifiers(control, shift), expected);
}

void TestInputHooks::offscreenHooksReportNothing()
{
    setMouseHookBackend(nullptr);
    MouseHook mouseHook;
    QVERIFY(!mouseHook.install());
    mouseHook.uninstall();

    HookKeybord *keyboard = HookKeybord::instance();
    QCOMPARE(HookKeybord::instance(), keyboard);
    QSignalSpy spy(keyboard, &HookKeybord::keyPress);
    keyboard->install();
    keyboard->install();
    keyboard->uninstall();
    keyboard->uninstall();
    QTest::qWait(20);
    QCOMPARE(spy.size(), 0);
}

void TestInputHooks::alphaFixUp_data()
{
    QTest::addColumn<quint32>("pixel");
    QTest::addColumn<quint32>("fixed");
    QTest::newRow("transparent black stays") << 0x00000000u << 0x00000000u;
    QTest::newRow("colour without alpha") << 0x00FF8000u << 0xFFFF8000u;
    QTest::newRow("faint blue") << 0x00000001u << 0xFF000001u;
    QTest::newRow("half alpha kept") << 0x80102030u << 0x80102030u;
    QTest::newRow("opaque black kept") << 0xFF000000u << 0xFF000000u;
}

void TestInputHooks::alphaFixUp()
{
    QFETCH(quint32, pixel);
    QFETCH(quint32, fixed);
    std::vector<std::uint32_t> pixels{0x00000000u, pixel, 0xFFFFFFFFu};
    fixCursorAlpha(pixels.data(), pixels.size());
    QCOMPARE(pixels[1], fixed);
    QCOMPARE(pixels[0], 0x00000000u);
    QCOMPARE(pixels[2], 0xFFFFFFFFu);
}

void TestInputHooks::monochromeCursorIsHalfTheMaskHeight()
{
    QCOMPARE(cursorPictureHeight(64, false), 32);
    QCOMPARE(cursorPictureHeight(64, true), 64);
    QCOMPARE(cursorPictureHeight(1, false), 0); // too small: the caller falls back
}

void TestInputHooks::offscreenCursorIsTheBuiltInArrow()
{
    const CapturedCursor cursor = captureCursor();
    QVERIFY(!cursor.pixmap.isNull());
    QCOMPARE(cursor.hotSpot, QPoint(0, 0));
    // Without the resource the painted arrow must still show its tip at the hot spot.
    const QImage image = cursor.pixmap.toImage();
    QVERIFY(qAlpha(image.pixel(1, 1)) > 0);
    QCOMPARE(qAlpha(image.pixel(image.width() - 1, 0)), 0);
}

QTEST_MAIN(TestInputHooks)
#include "tst_inputhooks.moc"
