#pragma once

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QRect>

class QPlainTextEdit;
class QPushButton;
class QWidget;

// The overlay's size in the view it lies on, from its position (ox, oy) and the view's size.
namespace TextOverlaySizing {
constexpr int smallestPixelSize = 8;
constexpr int largestPixelSize = 96;
constexpr int pixelSizeStep = 2;
constexpr int defaultPixelSize = 20;

// From the widest line of the text, in pixels of the overlay's font.
int width(int widestLine, int ox, int viewWidth);
// From the document's height at the width's text width.
int height(double documentHeight, int oy, int viewHeight);
// The document's text width at the overlay's width.
int textWidth(int width);
} // namespace TextOverlaySizing

// The box in which a video text annotation is typed, with its two size buttons above it. It lies
// on the frame view; the text size is kept in frame pixels and shown at the view's scale.
class TextOverlay : public QObject
{
    Q_OBJECT

public:
    explicit TextOverlay(QWidget *view);

    // From the overlay's edge to its text: border, padding and the document's margin.
    static constexpr int textInset = 2 + 3 + 4;

    // Opens with the text's top-left at a point of the view, with the text and size of an
    // annotation, or empty for a new one.
    void open(QPoint textPosition, const QString &text, int pixelSize, double viewScale);
    // Hides the overlay and gives back its text, trimmed.
    QString close();
    bool isOpen() const { return opened; }
    bool contains(QPoint viewPoint) const;

    void setColor(const QColor &color);
    // Steps the size within the limits and keeps the focus on the text.
    void changeSize(int steps);
    int pixelSize() const { return framePixelSize; }
    // Where the text lies in the view: the annotation keeps it there.
    QRect textRect() const;

    QPlainTextEdit *editor() const { return edit; }
    QPushButton *decreaseButton() const { return smaller; }
    QPushButton *increaseButton() const { return larger; }

signals:
    // The user pressed Escape in the text.
    void finished();
    // A double-click in the box while it holds no text: it lands where the box has just opened,
    // over whatever the user meant to double-click.
    void doubleClickedEmpty(QPoint viewPoint);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyFont();
    void fitToText();

    QWidget *view;
    QPlainTextEdit *edit;
    QPushButton *smaller;
    QPushButton *larger;
    int framePixelSize = TextOverlaySizing::defaultPixelSize;
    double scale = 1.0;
    bool opened = false;
};
