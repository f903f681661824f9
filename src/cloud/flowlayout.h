#pragma once

#include <QLayout>
#include <QList>
#include <QStyle>

// Lays its items out left to right in rows that wrap at the layout's width, each at its size hint.
class FlowLayout : public QLayout
{
public:
    FlowLayout(QWidget *parent, int margin = -1, int hSpacing = -1, int vSpacing = -1);
    explicit FlowLayout(int margin = -1, int hSpacing = -1, int vSpacing = -1);
    ~FlowLayout() override;

    void addItem(QLayoutItem *item) override;
    Qt::Orientations expandingDirections() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect &rect) override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    int count() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

    int horizontalSpacing() const;
    int verticalSpacing() const;

private:
    int doLayout(const QRect &rect, bool testOnly) const;
    int smartSpacing(QStyle::PixelMetric metric) const;
    // The style's spacing between two push buttons, asked of the item's widget when it has one.
    int styleSpacing(const QLayoutItem *item, Qt::Orientation orientation) const;

    QList<QLayoutItem *> itemList;
    int hSpace;
    int vSpace;
};
