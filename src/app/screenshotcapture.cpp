// The main window's capture flows: region and full-screen captures into a new document, and
// regions added to the open one.

#include "screenshot.h"

#include "editordocument.h"
#include "grabdesktop.h"
#include "maineditor.h"
#include "selectionmapping.h"
#include "selectregion.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QThread>
#include <QTimer>

#include "ui_screenshot.h"

bool Screenshot::captureRefused()
{
    if (settingsOpen) {
        openSettings();
        return true;
    }
    return captureBusy;
}

void Screenshot::openRegionSelector(const QPixmap &frozen,
                                    void (Screenshot::*receiver)(QPoint, QPoint))
{
    regionSelector = new SelectRegion;
    regionSelector->setPixmap(frozen);
    connect(regionSelector, &SelectRegion::regionSelected, this, receiver);
    regionSelector->setGeometry(
        overlayGeometry(virtualDesktopGeometry(), frozen.deviceIndependentSize()));
    regionSelector->show();
    regionSelector->setFocus();
    regionSelector->activateWindow();
    regionSelector->raise();
}

QPixmap Screenshot::takeSelection(QPoint p1, QPoint p2)
{
    SelectRegion *selector = regionSelector;
    const QPixmap frozen = selector->pixmap();
    disconnect(selector, &SelectRegion::regionSelected, this, nullptr);
    selector->hide();
    selector->deleteLater();
    regionSelector = nullptr;
    captureBusy = false;
    const QRect desktop = virtualDesktopGeometry();
    if (isCancelledSelection(p1, p2) || desktop.isNull())
        return {};
    return frozen.copy(cropRectangle(p1, p2, desktop, frozen.devicePixelRatio()));
}

void Screenshot::startCapturedDocument(const QPixmap &image)
{
    document->startFromImage(image);
    showEditorWindow();
    setOutputEnabled(true);
    presentEditor();
}

void Screenshot::clickCaptureRegion()
{
    if (captureRefused())
        return;
    if (isVisible()) {
        on_bt_add_picture_clicked();
        return;
    }
    resetDocument();
    captureBusy = true;
    openRegionSelector(grabDesktopImage(), &Screenshot::regionSelected);
    requestAnalyticsView(QStringLiteral("ec=CaptureAction&ea=CaptureRegion"));
}

void Screenshot::regionSelected(QPoint p1, QPoint p2)
{
    const QPixmap selection = takeSelection(p1, p2);
    if (!selection.isNull())
        startCapturedDocument(selection);
}

void Screenshot::clickCapture()
{
    if (isVisible()) {
        hide();
        // The editor must be gone from the screen before the grab.
        QThread::msleep(300);
    }
    if (captureRefused())
        return;
    resetDocument();
    const QPixmap desktop = grabDesktopImage();
    if (desktop.isNull())
        return;
    startCapturedDocument(desktop);
    requestAnalyticsView(QStringLiteral("ec=CaptureAction&ea=CaptureFullScreen"));
}

void Screenshot::on_bt_add_picture_clicked()
{
    if (captureRefused())
        return;
    hide();
    showMinimized();
    captureBusy = true;
    openRegionSelector(grabDesktopImage(), &Screenshot::regionSelectedAddToMainPic);
    requestAnalyticsView(QStringLiteral("ec=EditorButtons&ea=Tools.AddPicture"));
}

void Screenshot::regionSelectedAddToMainPic(QPoint p1, QPoint p2)
{
    const QPixmap selection = takeSelection(p1, p2);
    if (!selection.isNull())
        document->addPictureBelow(selection);
    setOutputEnabled(document->isOpen());
    resizeCanvas(true);
    fitWindowToScreen();
    showNormal();
    raise();
    activateWindow();
    QTimer::singleShot(0, this, [this] {
        QScrollBar *bar = ui->scrollArea->verticalScrollBar();
        bar->setValue(bar->maximum());
    });
}
