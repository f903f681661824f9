#include "selectregion.h"
#include "grabdesktop.h"
#include "selectregionlabel.h"
#include "settingskeys.h"
#include "ui_selectregion.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcut>

SelectRegion::SelectRegion(QWidget *parent) : QWidget(parent), ui(new Ui::SelectRegion)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);

    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &SelectRegion::cancelSelect);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_C), this, this, &SelectRegion::colorCopy);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), this, this, &SelectRegion::togleLoupe);

    setMouseTracking(true);
    label = new SelectRegionLabel(this);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMouseTracking(true);
    label->setGeometry(rect());
    label->showLoupe =
        settingsStore().value(SettingsKeys::ShowLoupe, SettingsKeys::ShowLoupeDefault).toBool();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
}

SelectRegion::~SelectRegion()
{
    delete ui;
}

QPixmap SelectRegion::pixmap() const
{
    return label->pixmap();
}

void SelectRegion::setPixmap(const QPixmap &frozen)
{
    label->setPixmap(frozen);
}

void SelectRegion::cancelSelect()
{
    hide();
}

void SelectRegion::colorCopy()
{
    if (label->pickedColor.isValid())
        QGuiApplication::clipboard()->setText(label->pickedColor.name());
}

void SelectRegion::togleLoupe()
{
    label->showLoupe = !label->showLoupe;
    label->repaintChanges();
}

// The local position, not the global one less pos(): with a scale factor Qt reads global
// positions in the coordinates of the monitor under the pointer, which differ from the overlay's
// own on every other monitor.
QPoint SelectRegion::overlayPoint(const QMouseEvent *event) const
{
    return event->position().toPoint();
}

void SelectRegion::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The loupe and crosshair start where the pointer is, not at the corner. Not mapFromGlobal():
    // with a fractional scale the overlay's corner may lie, in logical coordinates, inside another
    // monitor's rectangle, and Qt then maps the pointer through the wrong monitor.
    label->currentPos = currentDesktopLayout().overlayPoint(QCursor::pos(), pos());
    label->repaintChanges();
}

void SelectRegion::mousePressEvent(QMouseEvent *event)
{
    label->startPos = overlayPoint(event);
    label->selecting = true;
    label->repaintChanges();
}

void SelectRegion::mouseMoveEvent(QMouseEvent *event)
{
    activateWindow();
    raise();
    label->currentPos = overlayPoint(event);
    label->repaintChanges();
}

void SelectRegion::mouseReleaseEvent(QMouseEvent *event)
{
    label->currentPos = overlayPoint(event);
    // The receiver usually hides and schedules deletion of the overlay from its slot.
    const QPointer<SelectRegion> alive(this);
    emit regionSelected(pos() + label->startPos, pos() + label->currentPos);
    if (alive)
        hide();
}

void SelectRegion::closeEvent(QCloseEvent *event)
{
    hide();
    event->ignore();
}

void SelectRegion::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    settingsStore().setValue(SettingsKeys::ShowLoupe, label->showLoupe ? 1 : 0);
    emit regionSelected(QPoint(-1, -1), QPoint(-1, -1));
    deleteLater();
}
