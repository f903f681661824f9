#pragma once

#include <QLineF>
#include <QList>
#include <QPixmap>
#include <QPointF>
#include <QTimer>
#include <QTransform>
#include <QWidget>

#include <functional>

// An on-screen ruler over the primary screen's available area: a horizontal and a vertical band
// that can be dragged, and guide lines dropped by clicking a band, with the distances between
// neighbouring guides. Bands and guides persist between runs. Closing only hides it.
class Ruler : public QWidget
{
    Q_OBJECT

public:
    explicit Ruler(QWidget *parent = nullptr);

    // What the ruler is drawn over where windows cannot be see-through (an X11 screen without a
    // compositing manager): the screen under `globalArea` as it is at the moment the ruler
    // appears. A null picture where the desktop shows through by itself.
    using BackdropSource = std::function<QPixmap(const QRect &globalArea)>;
    void setBackdropSource(BackdropSource source) { backdropSource = std::move(source); }
    // The hint on how to use and leave the ruler, shown for a while each time it appears.
    bool isHintShown() const { return hintTimer.isActive(); }
    // Where the vertical band's number for window row `y` is drawn: the text's baseline starts
    // at the origin and runs along x.
    static QTransform verticalNumberPlacement(int y, int bandLeft, qreal textAdvance);

    // Global coordinates, each line spanning the window.
    const QList<QLineF> &guides() const { return measurements; }
    int horizontalBandOffset() const { return horizontalRulerOffset; }
    int verticalBandOffset() const { return verticalRulerOffset; }

    void loadSettings();
    void saveSettings();
    // `position` in window coordinates; `fromVerticalRuler` tells which band was clicked.
    void addMeasurement(const QPointF &position, bool fromVerticalRuler);
    void removeMeasurementAt(const QPointF &globalPosition);
    int measurementAt(const QPointF &globalPosition) const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // The window in global coordinates, right and bottom being its last pixel.
    QRect globalRect() const;
    void drawRulers(QPainter &painter) const;
    void drawDistances(QPainter &painter) const;
    void drawHint(QPainter &painter) const;
    static void drawDistanceLabel(QPainter &painter, const QString &text, const QPointF &centre,
                                  bool rotated);

    QList<QLineF> measurements;
    QPointF grabOffset;
    QPointF dragStart;
    int selectedIndex = -1;
    int draggedRuler = 0;
    int horizontalRulerOffset = 0;
    int verticalRulerOffset = 0;
    bool draggingMeasurement = false;
    bool draggingRuler = false;
    bool settingsLoaded = false;

    BackdropSource backdropSource;
    QPixmap backdrop;
    QTimer hintTimer;
};
