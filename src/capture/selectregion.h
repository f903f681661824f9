#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

class SelectRegionLabel;

namespace Ui {
class SelectRegion;
}

// The frozen desktop in a frameless top window on which the user drags out a region. It answers
// once with the press and release points in global logical pixels, and on every hide with the
// cancel pair (-1, -1), (-1, -1); then it deletes itself. Receivers disconnect before they hide it,
// so a completed selection reaches them once and a cancelled one only as the cancel pair.
class SelectRegion : public QWidget
{
    Q_OBJECT

public:
    explicit SelectRegion(QWidget *parent = nullptr);
    ~SelectRegion() override;

    QPixmap pixmap() const;
    void setPixmap(const QPixmap &frozen);

signals:
    void regionSelected(QPoint p1, QPoint p2);

public slots:
    void cancelSelect();
    void colorCopy();
    void togleLoupe();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QPoint overlayPoint(const QMouseEvent *event) const;

    Ui::SelectRegion *ui;
    SelectRegionLabel *label = nullptr;
};
