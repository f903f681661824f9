#include "screenshot.h"
#include "ui_screenshot.h"

#include "settingskeys.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QIcon>
#include <QMenu>
#include <QTimer>
#include <QTranslator>

Screenshot::Screenshot(QWidget *parent) : QWidget(parent), ui(new Ui::Screenshot)
{
    translator = new QTranslator(this);
    createActions();
    createTrayIcon();
    setUpForm();
    ensureInstallationId();
    captureBusy = false;
    settingsOpen = false;
    setAcceptDrops(true);
}

Screenshot::~Screenshot()
{
    delete ui;
}

void Screenshot::createActions()
{
    const auto action = [this](auto slot) {
        auto *created = new QAction(this);
        connect(created, &QAction::triggered, this, slot);
        return created;
    };
    captureRegionAction = action(&Screenshot::clickCaptureRegion);
    captureFullScreenAction = action(&Screenshot::clickCapture);
    captureVideoAction = action(&Screenshot::clickVideoCapture);
    rulerAction = action(&Screenshot::openRuler);
    qrScannerAction = action(&Screenshot::openQrScanner);
    ocrScannerAction = action(&Screenshot::openOcrScanner);
    openEditorAction = action(&Screenshot::openEditor);
    sendAnyFileAction = action(&Screenshot::sendAnyFile);
    allFilesAction = action(&Screenshot::openAllFiles);
    openImageFileAction = action(&Screenshot::openFile);
    settingsAction = action(&Screenshot::openSettings);
    quitAction = new QAction(this);
    connect(quitAction, &QAction::triggered, qApp, &QCoreApplication::quit);

    toolsMenu = new QMenu(this);
    toolsMenu->addAction(rulerAction);
    toolsMenu->addAction(qrScannerAction);
    toolsMenu->addAction(ocrScannerAction);
    toolsAction = new QAction(this);
    toolsAction->setMenu(toolsMenu);
}

void Screenshot::createTrayIcon()
{
    trayMenu = new QMenu(this);
    trayMenu->addAction(captureRegionAction);
    trayMenu->addAction(captureFullScreenAction);
    trayMenu->addAction(captureVideoAction);
    trayMenu->addSeparator();
    trayMenu->addAction(toolsAction);
    trayMenu->addSeparator();
    trayMenu->addAction(openEditorAction);
    trayMenu->addAction(sendAnyFileAction);
    trayMenu->addAction(allFilesAction);
    trayMenu->addSeparator();
    trayMenu->addAction(settingsAction);
    trayMenu->addSeparator();
    trayMenu->addAction(quitAction);
    retranslateTrayMenu();

    trayIcon = new QSystemTrayIcon(this);
    trayIcon->setToolTip(tr("Quorvel - Click to capture screen"));
    connect(trayIcon, &QSystemTrayIcon::activated, this, &Screenshot::trayIconLeftClick);
    trayIcon->setIcon(QIcon(QStringLiteral(":/favicon.ico")));
    trayIcon->setContextMenu(trayMenu);
    trayIcon->setVisible(true);
}

void Screenshot::retranslateTrayMenu()
{
    captureRegionAction->setText(tr("&Capture Region"));
    captureFullScreenAction->setText(tr("&Capture Full Screen"));
    captureVideoAction->setText(tr("&Capture Video"));
    toolsAction->setText(tr("&Tools"));
    toolsMenu->setTitle(tr("&Tools"));
    rulerAction->setText(tr("&Ruler and measurement"));
    qrScannerAction->setText(tr("&QR Scanner"));
    ocrScannerAction->setText(tr("&OCR Scanner"));
    openEditorAction->setText(tr("&Open editor"));
    sendAnyFileAction->setText(tr("&Send any file"));
    allFilesAction->setText(tr("&All my files / My account"));
    openImageFileAction->setText(tr("&Open image file"));
    settingsAction->setText(tr("&Settings"));
    quitAction->setText(tr("&Quit"));
}

void Screenshot::setUpForm()
{
    ui->setupUi(this);
    setAttribute(Qt::WA_MouseTracking);
    connect(ui->bt_crop, &QAbstractButton::clicked, this, &Screenshot::clickCrop);
    connect(ui->bt_add_photo, &QAbstractButton::clicked, this, &Screenshot::openFile);
    connect(ui->bt_undo, &QAbstractButton::clicked, this, &Screenshot::clickUndo);
    connect(ui->bt_redo, &QAbstractButton::clicked, this, &Screenshot::clickRedo);
    connect(ui->bt_color, &QAbstractButton::clicked, this, &Screenshot::clickColor);
    connect(ui->bt_save, &QAbstractButton::clicked, this, &Screenshot::clickSave);
}

void Screenshot::trayIconLeftClick(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::Trigger)
        return;
    if (isVisible()) {
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows) {
            if (qobject_cast<QDialog *>(window))
                window->close();
        }
    }
    clickCaptureRegion();
}

void Screenshot::closeEvent(QCloseEvent *event)
{
    QTimer::singleShot(100, this, &Screenshot::hideAppIcon);
    if (trayIcon->isVisible()) {
        hide();
        event->ignore();
    }
}

void Screenshot::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        retranslateTrayMenu();
    }
    QWidget::changeEvent(event);
}

void Screenshot::requestAnalyticsView(const QString &) {}
void Screenshot::receiveAnalyticsView() {}
void Screenshot::hideAppIcon() {}
void Screenshot::showAppIcon() {}

void Screenshot::clickCaptureRegion() {}
void Screenshot::clickCapture() {}
void Screenshot::clickVideoCapture() {}
void Screenshot::openRuler() {}
void Screenshot::openQrScanner() {}
void Screenshot::openOcrScanner() {}
void Screenshot::openEditor() {}
void Screenshot::sendAnyFile() {}
void Screenshot::openAllFiles() {}
void Screenshot::openSettings() {}
void Screenshot::openFile() {}
void Screenshot::closeSettings() {}
void Screenshot::changeLang() {}
void Screenshot::lastFilesCloseWindow() {}
void Screenshot::uploadDone() {}
void Screenshot::uploadFileDone() {}

void Screenshot::clickCrop() {}
void Screenshot::clickUndo() {}
void Screenshot::clickRedo() {}
void Screenshot::clickColor() {}
void Screenshot::clickSave() {}
void Screenshot::on_bt_tool_arrow_clicked() {}
void Screenshot::on_bt_tool_line_clicked() {}
void Screenshot::on_bt_tool_square_clicked() {}
void Screenshot::on_bt_tool_text_clicked() {}
void Screenshot::on_bt_tool_blur_clicked() {}
void Screenshot::on_bt_add_picture_clicked() {}
void Screenshot::on_horizontalSlider_valueChanged(int) {}
void Screenshot::on_horizontalSlider_sliderReleased() {}
void Screenshot::on_bt_size_minus_clicked() {}
void Screenshot::on_bt_size_plus_clicked() {}
void Screenshot::on_bt_copy_clicked() {}
void Screenshot::on_bt_external_editor_clicked() {}
void Screenshot::on_bt_upload_clicked() {}
