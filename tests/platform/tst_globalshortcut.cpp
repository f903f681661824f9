#include "hotkeybackend.h"
#include "qxtglobalshortcut.h"
#include "qxtglobalshortcut_p.h"
#include "x11keysyms.h"

#include <QAbstractEventDispatcher>
#include <QMetaMethod>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

using NativePair = QPair<quint32, quint32>;

// Behaves like the Windows hot-key service: a combination can be held only once.
class FakeHotKeySystem : public HotKeyBackend
{
public:
    struct Call
    {
        quint32 key;
        quint32 mods;
        int identifier;
    };

    bool registerHotKey(quint32 nativeKey, quint32 nativeMods, int identifier) override
    {
        registerCalls.append({nativeKey, nativeMods, identifier});
        if (taken.contains({nativeKey, nativeMods}))
            return false;
        taken.insert({nativeKey, nativeMods});
        return true;
    }
    bool unregisterHotKey(quint32 nativeKey, quint32 nativeMods, int) override
    {
        return taken.remove({nativeKey, nativeMods});
    }
    bool readHotKeyPress(const QByteArray &eventType, void *message, quint32 &nativeKey,
                         quint32 &nativeMods) override
    {
        if (eventType != "fake_hotkey")
            return false;
        const auto *pair = static_cast<const NativePair *>(message);
        nativeKey = pair->first;
        nativeMods = pair->second;
        return true;
    }

    // Goes the way a real message goes: through the application's native event filters.
    static void press(quint32 nativeKey, quint32 nativeMods)
    {
        NativePair pair(nativeKey, nativeMods);
        qintptr result = 0;
        QAbstractEventDispatcher::instance()->filterNativeEvent("fake_hotkey", &pair, &result);
    }

    QSet<NativePair> taken;
    QList<Call> registerCalls;
};

constexpr quint32 printKey = 44;
constexpr quint32 modControl = 2;

} // namespace

class TestGlobalShortcut : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        system = std::make_unique<FakeHotKeySystem>();
        setHotKeyBackend(system.get());
    }
    void cleanup()
    {
        setHotKeyBackend(nullptr);
        system.reset();
    }

    void nativeKeycodeTable_data();
    void nativeKeycodeTable();
    void registersWindowsPairAndIdentifier_data();
    void registersWindowsPairAndIdentifier();
    void everyMappedKeyHasAnX11Keysym();
    void x11ModifierBits();
    void pressEmitsActivatedWithItself();
    void disabledShortcutSwallowsPresses();
    void secondObjectWithSameCombinationFails();
    void newSequenceAfterFailedRegistrationWarnsUnregisterFirst();
    void emptySequenceRegistersKeyZero();
    void destructionAndNewSequenceReleaseTheKey();
    void shortcutsKeepWorkingWhenTheFirstIsGone();
    void metaMethodOrder();
    void withoutWindowSystemRegistrationFails();

private:
    std::unique_ptr<FakeHotKeySystem> system;
};

void TestGlobalShortcut::nativeKeycodeTable_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<quint32>("virtualKey");
    auto row = [](const char *name, int key, quint32 virtualKey) {
        QTest::newRow(name) << key << virtualKey;
    };
    row("Space", Qt::Key_Space, 32);
    for (int digit = 0; digit <= 9; ++digit)
        row(qPrintable(QString::number(digit)), Qt::Key_0 + digit, 48 + digit);
    for (int letter = 0; letter < 26; ++letter)
        row(qPrintable(QString(QChar('A' + letter))), Qt::Key_A + letter, 65 + letter);
    for (int f = 0; f < 24; ++f)
        row(qPrintable(QStringLiteral("F%1").arg(f + 1)), Qt::Key_F1 + f, 112 + f);
    row("QuoteDbl", Qt::Key_QuoteDbl, 222);
    row("Apostrophe", Qt::Key_Apostrophe, 222);
    row("Asterisk", Qt::Key_Asterisk, 106);
    row("Plus", Qt::Key_Plus, 107);
    row("Comma", Qt::Key_Comma, 188);
    row("Minus", Qt::Key_Minus, 109);
    row("Period", Qt::Key_Period, 190);
    row("Slash", Qt::Key_Slash, 111);
    row("Colon", Qt::Key_Colon, 186);
    row("Semicolon", Qt::Key_Semicolon, 186);
    row("Equal", Qt::Key_Equal, 187);
    row("Question", Qt::Key_Question, 191);
    row("BracketLeft", Qt::Key_BracketLeft, 219);
    row("BraceLeft", Qt::Key_BraceLeft, 219);
    row("Backslash", Qt::Key_Backslash, 220);
    row("Bar", Qt::Key_Bar, 220);
    row("BracketRight", Qt::Key_BracketRight, 221);
    row("BraceRight", Qt::Key_BraceRight, 221);
    row("QuoteLeft", Qt::Key_QuoteLeft, 192);
    row("AsciiTilde", Qt::Key_AsciiTilde, 192);
    row("Escape", Qt::Key_Escape, 27);
    row("Tab", Qt::Key_Tab, 9);
    row("Backtab", Qt::Key_Backtab, 9);
    row("Backspace", Qt::Key_Backspace, 8);
    row("Return", Qt::Key_Return, 13);
    row("Enter", Qt::Key_Enter, 13);
    row("Insert", Qt::Key_Insert, 45);
    row("Delete", Qt::Key_Delete, 46);
    row("Pause", Qt::Key_Pause, 19);
    row("Print", Qt::Key_Print, 44);
    row("Clear", Qt::Key_Clear, 12);
    row("Home", Qt::Key_Home, 36);
    row("End", Qt::Key_End, 35);
    row("Left", Qt::Key_Left, 37);
    row("Up", Qt::Key_Up, 38);
    row("Right", Qt::Key_Right, 39);
    row("Down", Qt::Key_Down, 40);
    row("PageUp", Qt::Key_PageUp, 33);
    row("PageDown", Qt::Key_PageDown, 34);
    row("VolumeDown", Qt::Key_VolumeDown, 174);
    row("VolumeMute", Qt::Key_VolumeMute, 173);
    row("VolumeUp", Qt::Key_VolumeUp, 175);
    row("MediaPlay", Qt::Key_MediaPlay, 179);
    row("MediaStop", Qt::Key_MediaStop, 178);
    row("MediaPrevious", Qt::Key_MediaPrevious, 177);
    row("MediaNext", Qt::Key_MediaNext, 176);
    row("unmapped F25", Qt::Key_F25, 0);
    row("unmapped Exclam", Qt::Key_Exclam, 0);
    row("unmapped Menu", Qt::Key_Menu, 0);
}

void TestGlobalShortcut::nativeKeycodeTable()
{
    QFETCH(int, key);
    QFETCH(quint32, virtualKey);
    QCOMPARE(QxtGlobalShortcutPrivate::nativeKeycode(Qt::Key(key)), virtualKey);
}

void TestGlobalShortcut::registersWindowsPairAndIdentifier_data()
{
    QTest::addColumn<QString>("sequence");
    QTest::addColumn<quint32>("key");
    QTest::addColumn<quint32>("mods");
    QTest::addColumn<int>("identifier");
    QTest::newRow("Print") << "Print" << 44u << 0u << 44;
    QTest::newRow("Ctrl+Print") << "Ctrl+Print" << 44u << 2u << 46;
    QTest::newRow("Ctrl+Alt+3") << "Ctrl+Alt+3" << 51u << 3u << 48;
    QTest::newRow("Shift+Meta+F1") << "Shift+Meta+F1" << 112u << 12u << 124;
    QTest::newRow("all four") << "Ctrl+Alt+Shift+Meta+A" << 65u << 15u << 78;
    QTest::newRow("keypad flag ignored") << "Ctrl+Num+5" << 53u << 2u << 55;
}

void TestGlobalShortcut::registersWindowsPairAndIdentifier()
{
    QFETCH(QString, sequence);
    QFETCH(quint32, key);
    QFETCH(quint32, mods);
    QFETCH(int, identifier);
    QxtGlobalShortcut shortcut;
    QVERIFY(shortcut.setShortcut(QKeySequence(sequence, QKeySequence::PortableText)));
    QCOMPARE(system->registerCalls.size(), 1);
    QCOMPARE(system->registerCalls[0].key, key);
    QCOMPARE(system->registerCalls[0].mods, mods);
    QCOMPARE(system->registerCalls[0].identifier, identifier);
    QCOMPARE(shortcut.shortcut(), QKeySequence(sequence, QKeySequence::PortableText));
}

void TestGlobalShortcut::everyMappedKeyHasAnX11Keysym()
{
    QSet<quint32> virtualKeys;
    for (int key = 0; key <= Qt::Key_MediaNext; ++key) {
        if (const quint32 vk = QxtGlobalShortcutPrivate::nativeKeycode(Qt::Key(key)))
            virtualKeys.insert(vk);
    }
    // Two virtual keys on one keysym would be grabbed on the same keys and not be told apart.
    QSet<quint32> keysyms;
    for (quint32 vk : virtualKeys) {
        const quint32 keysym = x11KeysymForVirtualKey(vk);
        QVERIFY2(keysym != 0, qPrintable(QString::number(vk)));
        QVERIFY2(!keysyms.contains(keysym), qPrintable(QString::number(vk)));
        keysyms.insert(keysym);
    }
    QCOMPARE(x11KeysymForVirtualKey(44), 0xff61u);      // Print
    QCOMPARE(x11KeysymForVirtualKey(65), quint32('a')); // unshifted letter is grabbed
    QCOMPARE(x11KeysymForVirtualKey(135), 0xffd5u);     // F24
    QCOMPARE(x11KeysymForVirtualKey(179), 0x1008ff14u); // media play
    QCOMPARE(x11KeysymForVirtualKey(0), 0u);
}

void TestGlobalShortcut::x11ModifierBits()
{
    QCOMPARE(x11ModifiersForNative(0x1), quint16(0x08)); // Alt is Mod1
    QCOMPARE(x11ModifiersForNative(0x2), quint16(0x04)); // Control
    QCOMPARE(x11ModifiersForNative(0x4), quint16(0x01)); // Shift
    QCOMPARE(x11ModifiersForNative(0x8), quint16(0x40)); // Win is Mod4
    QCOMPARE(x11ModifiersForNative(0xF), quint16(0x4D));
}

void TestGlobalShortcut::pressEmitsActivatedWithItself()
{
    QxtGlobalShortcut shortcut(QKeySequence("Ctrl+Print"));
    QSignalSpy spy(&shortcut, &QxtGlobalShortcut::activated);
    FakeHotKeySystem::press(printKey, 0);
    QCOMPARE(spy.size(), 0);
    FakeHotKeySystem::press(printKey, modControl);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][0].value<QxtGlobalShortcut *>(), &shortcut);
}

void TestGlobalShortcut::disabledShortcutSwallowsPresses()
{
    QxtGlobalShortcut shortcut(QKeySequence("Ctrl+Print"));
    QSignalSpy spy(&shortcut, &QxtGlobalShortcut::activated);
    shortcut.setDisabled();
    QVERIFY(!shortcut.isEnabled());
    FakeHotKeySystem::press(printKey, modControl);
    QCOMPARE(spy.size(), 0);
    QVERIFY(system->taken.contains({printKey, modControl}));

    shortcut.setProperty("enabled", true);
    FakeHotKeySystem::press(printKey, modControl);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(system->registerCalls.size(), 1);
}

void TestGlobalShortcut::secondObjectWithSameCombinationFails()
{
    QxtGlobalShortcut first(QKeySequence("Ctrl+Print"));
    QxtGlobalShortcut second;
    QTest::ignoreMessage(QtWarningMsg, "QxtGlobalShortcut failed to register: Ctrl+Print");
    QVERIFY(!second.setShortcut(QKeySequence("Ctrl+Print")));
    QCOMPARE(second.shortcut(), QKeySequence("Ctrl+Print"));

    QSignalSpy firstSpy(&first, &QxtGlobalShortcut::activated);
    QSignalSpy secondSpy(&second, &QxtGlobalShortcut::activated);
    FakeHotKeySystem::press(printKey, modControl);
    QCOMPARE(firstSpy.size(), 1);
    QCOMPARE(secondSpy.size(), 0);

    // Moving the failed one on must not release what the first one holds.
    QTest::ignoreMessage(QtWarningMsg, "QxtGlobalShortcut failed to unregister: Ctrl+Print");
    QVERIFY(second.setShortcut(QKeySequence("Ctrl+Alt+3")));
    QVERIFY(system->taken.contains({printKey, modControl}));
    FakeHotKeySystem::press(printKey, modControl);
    QCOMPARE(firstSpy.size(), 2);
}

void TestGlobalShortcut::newSequenceAfterFailedRegistrationWarnsUnregisterFirst()
{
    system->taken.insert({printKey, modControl}); // held by another program
    QxtGlobalShortcut shortcut;
    QTest::ignoreMessage(QtWarningMsg, "QxtGlobalShortcut failed to register: Ctrl+Print");
    QVERIFY(!shortcut.setShortcut(QKeySequence("Ctrl+Print")));

    QTest::ignoreMessage(QtWarningMsg, "QxtGlobalShortcut failed to unregister: Ctrl+Print");
    QVERIFY(shortcut.setShortcut(QKeySequence("Ctrl+Alt+3")));
    QCOMPARE(shortcut.shortcut(), QKeySequence("Ctrl+Alt+3"));
    QVERIFY(system->taken.contains({printKey, modControl}));

    QSignalSpy spy(&shortcut, &QxtGlobalShortcut::activated);
    FakeHotKeySystem::press(51, 3);
    QCOMPARE(spy.size(), 1);
}

void TestGlobalShortcut::emptySequenceRegistersKeyZero()
{
    {
        QxtGlobalShortcut shortcut;
        QVERIFY(shortcut.setShortcut(QKeySequence()));
        QCOMPARE(system->registerCalls.size(), 1);
        QCOMPARE(system->registerCalls[0].key, 0u);
        QCOMPARE(system->registerCalls[0].mods, 0u);
        QCOMPARE(system->registerCalls[0].identifier, 0);
        QVERIFY(shortcut.shortcut().isEmpty());
    }
    // The entry made for key 0 is never released through the key, yet must not name a dead object.
    FakeHotKeySystem::press(0, 0);
}

void TestGlobalShortcut::destructionAndNewSequenceReleaseTheKey()
{
    auto shortcut = std::make_unique<QxtGlobalShortcut>(QKeySequence("Print"));
    QVERIFY(shortcut->setShortcut(QKeySequence("Ctrl+Print")));
    QCOMPARE(system->taken, QSet<NativePair>({{printKey, modControl}}));
    QSignalSpy spy(shortcut.get(), &QxtGlobalShortcut::activated);
    FakeHotKeySystem::press(printKey, 0);
    QCOMPARE(spy.size(), 0);

    shortcut.reset();
    QVERIFY(system->taken.isEmpty());
    FakeHotKeySystem::press(printKey, modControl);

    QxtGlobalShortcut successor(QKeySequence("Ctrl+Print"));
    QCOMPARE(successor.shortcut(), QKeySequence("Ctrl+Print"));
}

void TestGlobalShortcut::shortcutsKeepWorkingWhenTheFirstIsGone()
{
    auto first = std::make_unique<QxtGlobalShortcut>(QKeySequence("Print"));
    QxtGlobalShortcut second(QKeySequence("Ctrl+Print"));
    first.reset();
    QSignalSpy spy(&second, &QxtGlobalShortcut::activated);
    FakeHotKeySystem::press(printKey, modControl);
    QCOMPARE(spy.size(), 1);
}

void TestGlobalShortcut::metaMethodOrder()
{
    const QMetaObject &meta = QxtGlobalShortcut::staticMetaObject;
    QStringList methods;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
        methods << QString::fromLatin1(meta.method(i).methodSignature());
    QCOMPARE(methods, QStringList({"activated(QxtGlobalShortcut*)", "setEnabled(bool)",
                                   "setEnabled()", "setDisabled(bool)", "setDisabled()"}));
    QVERIFY(meta.indexOfProperty("enabled") >= 0);
    QVERIFY(meta.indexOfProperty("shortcut") >= 0);
}

void TestGlobalShortcut::withoutWindowSystemRegistrationFails()
{
    setHotKeyBackend(nullptr); // offscreen: no X connection
    QTest::ignoreMessage(QtWarningMsg, "QxtGlobalShortcut failed to register: Ctrl+Alt+3");
    auto shortcut = std::make_unique<QxtGlobalShortcut>(QKeySequence("Ctrl+Alt+3"));
    QCOMPARE(shortcut->shortcut(), QKeySequence("Ctrl+Alt+3"));
    QTest::ignoreMessage(QtWarningMsg, "QxtGlobalShortcut failed to unregister: Ctrl+Alt+3");
    shortcut.reset();
}

QTEST_MAIN(TestGlobalShortcut)
#include "tst_globalshortcut.moc"
