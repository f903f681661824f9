#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

class QPixmap;

enum class ToolKind : int
{
    None = 0,
    Crop = 1,
    Line = 3,
    Square = 4,
    Arrow = 5,
    Text = 6,
    Blur = 7,
    Picture = 10,
};

// The normalised rectangle of p1/p2. right and bottom are exclusive edges (right = left + width),
// unlike QRect's, which is why this is not a QRect.
struct DrawBounds
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width = 0;
    int height = 0;

    QRect rect() const { return QRect(left, top, width, height); }
    bool operator==(const DrawBounds &other) const;
    bool operator!=(const DrawBounds &other) const { return !(*this == other); }
};

// One object of the editor document, and also the editor's current tool state.
struct DrawObject
{
    ToolKind kind = ToolKind::None;
    int size = 6;
    QColor color;
    QString text;
    int pictureIndex = -1;
    QPoint p1;
    QPoint p2;
    DrawBounds bounds;
    bool live = false;
    bool selected = false;
    bool fill = false;
    float opacity = 1.0f;
    int caret = -1;
    int step = 5;
    int emphasis = 0;
    // Creation order within the document, given when the object is first recorded (0: not yet).
    // Badges count by it, so reordering layers or re-editing a text keeps their numbers.
    int serial = 0;
    QPixmap *renderTarget = nullptr;
    bool renderToTarget = false;

    // Handle returned by hitTest for the body; -1 is a miss.
    static constexpr int BodyHit = 0;
    static constexpr int Miss = -1;
    static constexpr double HandleRadius = 7.0;

    void setPoints(int x1, int y1, int x2, int y2);
    // W and H are the canvas limits; 0 means no limit on that axis.
    void normalize(int W, int H);
    void resetPoints();
    void moveBy(int dx, int dy);
    void setHandle(int handle, int x, int y);

    bool nudgeLeft();
    bool nudgeRight(int canvasWidth);
    bool nudgeUp();
    bool nudgeDown(int canvasHeight);

    // 1 to 4 for a handle, BodyHit for the body, Miss otherwise.
    int hitTest(int x, int y) const;

    bool operator==(const DrawObject &other) const;
    bool operator!=(const DrawObject &other) const { return !(*this == other); }
};

// Whether the Ctrl badge applies to this kind.
bool canCarryBadge(ToolKind kind);

// Paint layer 0..3: pictures first, then blurs and plain squares, then emphasised objects, then
// the remaining strokes and texts on top.
int layerOf(const DrawObject &object);
