#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QVector>

#include <cstdint>

struct xcb_connection_t;
struct _XCBKeySymbols;

// The benchmark's eyes and hands on its X server: what the screen shows at a few points, which
// top-level window carries a title, and keys typed through XTest as if on the keyboard.
class XProbe
{
public:
    XProbe();
    ~XProbe();
    XProbe(const XProbe &) = delete;
    XProbe &operator=(const XProbe &) = delete;

    bool isConnected() const { return connection != nullptr; }
    QRect screenRect() const;

    // Paints the root window in one colour (0xRRGGBB), so that anything drawn over it shows.
    void setDesktopColour(uint32_t rgb);
    // Screen colours (0xRRGGBB) at the points, read in a single round trip.
    QVector<uint32_t> colours(const QVector<QPoint> &points);
    QImage screenshot();

    void movePointer(const QPoint &position);
    void tapKey(uint32_t keysym, bool withControl = false);
    // True while some other client holds a passive grab of the key with exactly these modifiers.
    bool isKeyGrabbedElsewhere(uint32_t keysym, uint16_t modifiers);

    // The viewable top-level window with exactly this title: its id and its place on the screen.
    bool findViewableWindow(const QString &title, uint32_t *id, QRect *rect);
    // Asks the window to close, as a window manager's close button would.
    void closeWindow(uint32_t id);

private:
    uint8_t keycode(uint32_t keysym);
    uint32_t atom(const char *name);
    void fakeKey(uint8_t type, uint8_t code);
    void sync();

    xcb_connection_t *connection = nullptr;
    _XCBKeySymbols *keySymbols = nullptr;
    uint32_t root = 0;
    QRect screen;
};
