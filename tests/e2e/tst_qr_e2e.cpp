#include "../support/qrcodes.h"
#include "xsession.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// A picture as the root window's background, for as long as the object lives: what a person
// would have on the screen, behind every window.
class RootBackground
{
public:
    explicit RootBackground(const QImage &picture)
        : display(XOpenDisplay(nullptr)), image(picture.convertToFormat(QImage::Format_RGB32))
    {
        if (!display)
            return;
        const Window root = DefaultRootWindow(display);
        const int screen = DefaultScreen(display);
        pixmap = XCreatePixmap(display, root, uint(image.width()), uint(image.height()),
                               uint(DefaultDepth(display, screen)));
        XImage *frame = XCreateImage(display, DefaultVisual(display, screen),
                                     uint(DefaultDepth(display, screen)), ZPixmap, 0,
                                     reinterpret_cast<char *>(image.bits()), uint(image.width()),
                                     uint(image.height()), 32, int(image.bytesPerLine()));
        GC gc = XCreateGC(display, pixmap, 0, nullptr);
        XPutImage(display, pixmap, gc, frame, 0, 0, 0, 0, uint(image.width()),
                  uint(image.height()));
        XFreeGC(display, gc);
        frame->data = nullptr; // the pixels belong to `image`
        XDestroyImage(frame);
        XSetWindowBackgroundPixmap(display, root, pixmap);
        XClearWindow(display, root);
        XSync(display, False);
    }
    ~RootBackground()
    {
        if (!display)
            return;
        const Window root = DefaultRootWindow(display);
        XSetWindowBackground(display, root, BlackPixel(display, DefaultScreen(display)));
        XClearWindow(display, root);
        XFreePixmap(display, pixmap);
        XCloseDisplay(display);
    }
    bool isShown() const { return display != nullptr; }

private:
    Display *display;
    QImage image;
    Pixmap pixmap = 0;
};

} // namespace

// A QR code on the screen, read by the real binary through the tray's QR entry and a drag around
// the code, and copied to the clipboard from the scanner's dialog.
class QrEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void codeOnTheScreenIsReadThroughTheTrayEntryAndADrag()
    {
        XSession session;
        if (!session.isUsable())
            QSKIP("needs an X server and xdotool");
        if (!QrCodes::encoderAvailable())
            QSKIP("needs qrencode (scripts/setup installs it)");

        const QString text = QStringLiteral("Quorvel читает QR: https://example.org/?a=1&b=2");
        const QImage code = QrCodes::encode(text, 5);
        const QRect codeArea(QPoint(800, 400), code.size());
        QImage screen(QGuiApplication::primaryScreen()->size(), QImage::Format_RGB32);
        screen.fill(QColor(230, 234, 238));
        QPainter(&screen).drawImage(codeArea.topLeft(), code);
        RootBackground background(screen);
        QVERIFY(background.isShown());

        QVERIFY(session.start());
        const QRect trayIcon = session.waitForWindows(QSize(64, 64), 10000).value(0);
        QVERIFY2(trayIcon.isValid(), "no tray icon appeared");
        XSession::xdotool({QStringLiteral("mousemove"), QString::number(trayIcon.center().x()),
                           QString::number(trayIcon.center().y())});
        XSession::xdotool({QStringLiteral("click"), QStringLiteral("3")});
        QVERIFY2(!session.waitForWindows(QSize(600, 600), 5000).isEmpty(), "no tray menu");
        QThread::msleep(300);
        // Down to "&Tools" (separators are skipped), into its submenu, then its second entry.
        XSession::key(QStringLiteral("Down"));
        XSession::key(QStringLiteral("Down"));
        XSession::key(QStringLiteral("Down"));
        XSession::key(QStringLiteral("Down"));
        XSession::key(QStringLiteral("Right"));
        QThread::msleep(300);
        XSession::key(QStringLiteral("Down"));
        XSession::key(QStringLiteral("Return"));

        QVERIFY2(session.waitForWindowNamed(QStringLiteral("SelectRegion"), 5000).isValid(),
                 "the QR entry opened no overlay");
        XSession::drag(codeArea.topLeft() - QPoint(30, 30),
                       codeArea.bottomRight() + QPoint(30, 30));
        const QRect dialog = session.waitForWindowNamed(QStringLiteral("QR Scanner"), 5000);
        QVERIFY2(dialog.isValid(), "the scanner's dialog did not come back");

        // The copy button sits in the top right corner, inside the dialog's margins.
        const QPoint copyButton = dialog.topLeft() + QPoint(dialog.width() - 18 - 14, 16 + 14);
        QGuiApplication::clipboard()->clear();
        XSession::xdotool({QStringLiteral("mousemove"), QString::number(copyButton.x()),
                           QString::number(copyButton.y())});
        XSession::xdotool({QStringLiteral("click"), QStringLiteral("1")});
        QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::clipboard()->text(), text, 5000);
    }
};

QTEST_MAIN(QrEndToEnd)
#include "tst_qr_e2e.moc"
