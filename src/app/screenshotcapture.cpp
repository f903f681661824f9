// The main window's capture flows: region and full-screen captures into a new document, and
// regions added to the open one.

#include "screenshot.h"

#include "editordocument.h"
#include "grabdesktop.h"
#include "maineditor.h"
#include "selectionmapping.h"
#include "selectregion.h"

#include <QGuiApplication>
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

bool Screenshot::openRegionSelector(void (Screenshot::*receiver)(QPoint, QPoint))
{
    // A selector without a picture could never answer and would leave captureBusy set for good.
    const QPixmap frozen = grabDesktopImage();
    if (frozen.isNull())
        return false;
    captureBusy = true;
    regionSelector = new SelectRegion;
    regionSelector->setPixmap(frozen);
    connect(regionSelector, &SelectRegion::regionSelected, this, receiver);
    regionSelector->setGeometry(
        overlayGeometry(currentDesktopLayout(), frozen.deviceIndependentSize()));
    regionSelector->show();
    regionSelector->setFocus();
    regionSelector->activateWindow();
    regionSelector->raise();
    return true;
}

QPixmap Screenshot::takeSelection(QPoint p1, QPoint p2)
{
    SelectRegion *selector = regionSelector;
    const QPixmap frozen = selector->pixmap();
    // The selector was put at the virtual desktop's origin; its points are taken relative to
    // where it really lay, which is where the user saw the frozen image.
    const QPoint origin = selector->pos();
    disconnect(selector, &SelectRegion::regionSelected, this, nullptr);
    selector->hide();
    selector->deleteLater();
    regionSelector = nullptr;
    captureBusy = false;
    if (isCancelledSelection(p1, p2) || !QGuiApplication::primaryScreen())
        return {};
    return frozen.copy(cropRectangle(p1, p2, origin, frozen.size(), frozen.devicePixelRatio()));
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
    if (openRegionSelector(&Screenshot::regionSelected))
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
    const bool editorShown = isVisible();
    if (editorShown) {
        hide();
        // The editor must be gone from the screen before the grab.
        QThread::msleep(300);
    }
    if (captureRefused())
        return;
    const QPixmap desktop = grabDesktopImage();
    if (desktop.isNull()) {
        // Nothing was captured: the open document is kept and comes back.
        if (editorShown)
            presentEditor();
        return;
    }
    resetDocument();
    startCapturedDocument(desktop);
    requestAnalyticsView(QStringLiteral("ec=CaptureAction&ea=CaptureFullScreen"));
}

void Screenshot::on_bt_add_picture_clicked()
{
    if (captureRefused())
        return;
    hide();
    showMinimized();
    if (!openRegionSelector(&Screenshot::regionSelectedAddToMainPic)) {
        showNormal();
        presentEditor();
        return;
    }
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
