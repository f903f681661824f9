#include "screenshot.h"
#include "ui_screenshot.h"

#include "buttonicon.h"
#include "editordocument.h"
#include "grabdesktop.h"
#include "maineditor.h"
#include "qxtglobalshortcut.h"
#include "settingskeys.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QIcon>
#include <QMenu>
#include <QSettings>
#include <QShortcut>
#include <QTimer>
#include <QTranslator>

Screenshot::Screenshot(QWidget *parent)
    : QWidget(parent), ui(new Ui::Screenshot), document(new EditorDocument(this)),
      grabDesktopImage([] { return grabDesktop(); })
{
    translator = new QTranslator(this);
    createActions();
    createTrayIcon();
    setUpForm();
    setUpEditor();
    registerHotkeys();
    ensureInstallationId();
    updateExternalEditorButton();
    captureBusy = false;
    settingsOpen = false;
    setAcceptDrops(true);
}

Screenshot::~Screenshot()
{
    QSettings settings = settingsStore();
    settings.setValue(SettingsKeys::SizeTool, document->editState.size);
    settings.setValue(SettingsKeys::ColorTool, document->editState.color.name());
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
    openImageFileAction = action(qOverload<>(&Screenshot::openFile));
    settingsAction = action(&Screenshot::openSettings);
    quitAction = new QAction(this);
    // quit() would first ask every window to close, and the editor and the region selector both
    // refuse (they hide instead); Quit must end the program whatever is open.
    connect(quitAction, &QAction::triggered, qApp, [] { QCoreApplication::exit(0); });

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
    const std::pair<QAbstractButton *, const char *> pictures[] = {
        {ui->bt_crop, "crop"},
        {ui->bt_tool_arrow, "arrow"},
        {ui->bt_tool_line, "line"},
        {ui->bt_tool_square, "square"},
        {ui->bt_tool_text, "text"},
        {ui->bt_tool_blur, "blur"},
        {ui->bt_add_picture, "add_picture"},
        {ui->bt_add_photo, "add_photo"},
        {ui->bt_undo, "undo"},
        {ui->bt_redo, "redo"},
        {ui->bt_size_minus, "size_minus"},
        {ui->bt_size_plus, "size_plus"},
        {ui->bt_copy, "copy"},
        {ui->bt_save, "save"},
        {ui->bt_upload, "upload"},
    };
    for (const auto &[button, name] : pictures)
        button->setIcon(buttonIcon(QLatin1String(name)));
    connect(ui->bt_crop, &QAbstractButton::clicked, this, &Screenshot::clickCrop);
    connect(ui->bt_add_photo, &QAbstractButton::clicked, this, qOverload<>(&Screenshot::openFile));
    connect(ui->bt_undo, &QAbstractButton::clicked, this, &Screenshot::clickUndo);
    connect(ui->bt_redo, &QAbstractButton::clicked, this, &Screenshot::clickRedo);
    // A button holds one key sequence; redo answers to Ctrl+Shift+Z as well as Ctrl+U.
    connect(new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Z")), this),
            &QShortcut::activated, this, &Screenshot::clickRedo);
    connect(ui->bt_color, &QAbstractButton::clicked, this, &Screenshot::clickColor);
    connect(ui->bt_save, &QAbstractButton::clicked, this, &Screenshot::clickSave);
}

void Screenshot::setUpEditor()
{
    canvas = new MainEditor;
    canvas->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    canvas->setStyleSheet(QStringLiteral("border:2px solid gray;"));
    canvas->installEventFilter(this);
    ui->scrollArea->setWidget(canvas);
    canvas->attachDocument(document);

    setOutputEnabled(false);
    updateHistoryButtons();
    ui->bt_external_editor->hide();
    connect(document, &EditorDocument::historyChanged, this, &Screenshot::updateHistoryButtons);
    connect(document, &EditorDocument::mainImageChanged, this, [this] { resizeCanvas(true); });

    document->editState.size = storedToolSize();
    document->editState.color = storedToolColor();
}

void Screenshot::updateHistoryButtons()
{
    ui->bt_undo->setEnabled(document->canUndo());
    ui->bt_redo->setEnabled(document->canRedo());
}

void Screenshot::setOutputEnabled(bool enabled)
{
    ui->bt_save->setEnabled(enabled);
    ui->bt_copy->setEnabled(enabled);
    ui->bt_upload->setEnabled(enabled);
}

void Screenshot::resizeCanvas(bool fromImage)
{
    QSize size = fromImage ? document->contentSize() : canvas->size();
    size = size.expandedTo(document->contentSize());
    canvas->setMinimumSize(size);
    canvas->setMaximumSize(size);
    canvas->resize(size);
}

void Screenshot::resetDocument()
{
    document->reset();
    mouseDown = false;
    moving = false;
    setOutputEnabled(false);
    canvas->setMinimumSize(0, 0);
    canvas->resize(0, 0);
}

void Screenshot::registerHotkeys()
{
    const auto shortcutFor = [this](const char *key, const char *fallback) -> QxtGlobalShortcut * {
        const QKeySequence sequence(settingsStore().value(key, fallback).toString(),
                                    QKeySequence::PortableText);
        if (sequence.isEmpty())
            return nullptr;
        auto *shortcut = new QxtGlobalShortcut(sequence, this);
        shortcut->setObjectName(QLatin1String(key));
        connect(shortcut, &QxtGlobalShortcut::activated, this, &Screenshot::shortcutActivated);
        return shortcut;
    };
    regionShortcut = shortcutFor(SettingsKeys::RegionCapture, SettingsKeys::RegionCaptureDefault);
    fullScreenShortcut =
        shortcutFor(SettingsKeys::FullScreenCapture, SettingsKeys::FullScreenCaptureDefault);
    ocrShortcut = shortcutFor(SettingsKeys::OcrScan, SettingsKeys::OcrScanDefault);
}

void Screenshot::unregisterHotkeys()
{
    for (QxtGlobalShortcut **shortcut : {&regionShortcut, &fullScreenShortcut, &ocrShortcut}) {
        delete *shortcut;
        *shortcut = nullptr;
    }
}

void Screenshot::shortcutActivated(QxtGlobalShortcut *shortcut)
{
    const QString name = shortcut->objectName();
    if (name == QLatin1String(SettingsKeys::RegionCapture)) {
        clickCaptureRegion();
        requestAnalyticsView(
            QStringLiteral("ec=CaptureAction&ea=shortcutActivated&el=regionCapture"));
    }
    if (name == QLatin1String(SettingsKeys::FullScreenCapture)) {
        clickCapture();
        requestAnalyticsView(
            QStringLiteral("ec=CaptureAction&ea=shortcutActivated&el=fullScreenCapture"));
    }
    if (name == QLatin1String(SettingsKeys::OcrScan)) {
        openOcrScanner();
        requestAnalyticsView(QStringLiteral("ec=Tool&ea=shortcutActivated&el=ocrScan"));
    }
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
        resetDocument();
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

void Screenshot::clickVideoCapture() {}
void Screenshot::openRuler() {}
void Screenshot::openQrScanner() {}
void Screenshot::openOcrScanner() {}
void Screenshot::openAllFiles() {}
void Screenshot::openSettings() {}
void Screenshot::closeSettings() {}
void Screenshot::changeLang() {}
void Screenshot::lastFilesCloseWindow() {}

void Screenshot::clickCrop() {}
void Screenshot::clickUndo()
{
    document->undo();
    requestAnalyticsView(QStringLiteral("ec=EditorButtons&ea=Undo"));
}

void Screenshot::clickRedo()
{
    document->redo();
    requestAnalyticsView(QStringLiteral("ec=EditorButtons&ea=Redo"));
}
void Screenshot::clickColor() {}
void Screenshot::ToolTextFinished() {}
void Screenshot::on_bt_tool_arrow_clicked() {}
void Screenshot::on_bt_tool_line_clicked() {}
void Screenshot::on_bt_tool_square_clicked() {}
void Screenshot::on_bt_tool_text_clicked() {}
void Screenshot::on_bt_tool_blur_clicked() {}
void Screenshot::on_horizontalSlider_valueChanged(int) {}
void Screenshot::on_horizontalSlider_sliderReleased() {}
void Screenshot::on_bt_size_minus_clicked() {}
void Screenshot::on_bt_size_plus_clicked() {}
