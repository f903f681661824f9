#include "screenshot.h"
#include "ui_screenshot.h"

#include "analytics.h"
#include "buttonicon.h"
#include "editordocument.h"
#include "editorinput.h"
#include "grabdesktop.h"
#include "instantshortcuts.h"
#include "lastfiles.h"
#include "maineditor.h"
#include "ocrscanner.h"
#include "qrscanner.h"
#include "qxtglobalshortcut.h"
#include "ruler.h"
#include "settings.h"
#include "settingskeys.h"
#include "textentry.h"
#include "translation.h"
#include "videorecord.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDialog>
#include <QIcon>
#include <QMenu>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QShortcut>
#include <QTimer>
#include <QTranslator>
#include <QWheelEvent>

Screenshot::Screenshot(QWidget *parent)
    : QWidget(parent), ui(new Ui::Screenshot), document(new EditorDocument(this)),
      grabDesktopImage([] { return grabDesktop(); })
{
    translator = new QTranslator(this);
    createActions();
    createTrayIcon();
    setUpForm();
    setUpEditor();
    setUpInput();
    registerHotkeys();
    ensureInstallationId();
    updateExternalEditorButton();
    startAnalytics();
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
    auto *instant = new InstantShortcuts(this);
    for (QAbstractButton *button : findChildren<QAbstractButton *>()) {
        if (!button->shortcut().isEmpty())
            instant->watch(button);
    }
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
    const QSize size =
        fromImage ? document->contentSize() : canvas->size().expandedTo(document->contentSize());
    canvas->setMinimumSize(size);
    canvas->setMaximumSize(size);
    canvas->resize(size);
}

void Screenshot::resetDocument()
{
    document->reset();
    input->reset();
    setOutputEnabled(false);
}

void Screenshot::setUpInput()
{
    input = new EditorInput(document, canvas, ui->scrollArea, this);
    connect(input, &EditorInput::usageEvent, this, &Screenshot::requestAnalyticsView);
    connect(input, &EditorInput::canvasResizeNeeded, this, &Screenshot::resizeCanvas);
    connect(input, &EditorInput::toolShown, this, &Screenshot::checkToolButton);
    connect(input, &EditorInput::toolSizeShown, ui->horizontalSlider, &QSlider::setValue);
    connect(input, &EditorInput::toolColorShown, this, &Screenshot::updateColorButton);

    TextEntry *entry = input->textEntry();
    entry->installEventFilter(this);
    connect(entry, &QPlainTextEdit::textChanged, this, &Screenshot::ToolTextChanged);
    connect(entry, &QPlainTextEdit::cursorPositionChanged, this,
            &Screenshot::onCursorPositionChanged);
    // The scroll area would take the wheel for itself before it reaches the window.
    ui->scrollArea->viewport()->installEventFilter(this);

    ui->horizontalSlider->setTracking(true);
    ui->horizontalSlider->setValue(document->editState.size);
    updateColorButton();

    // QShortcut's default context is the window.
    const auto windowShortcut = [this](auto keys, void (Screenshot::*slot)()) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, slot);
    };
    windowShortcut(QKeySequence(Qt::Key_Delete), &Screenshot::removeSelectedObject);
    windowShortcut(QKeySequence(Qt::Key_Backspace), &Screenshot::removeSelectedObject);
    windowShortcut(QKeySequence(Qt::Key_Escape), &Screenshot::ToolTextFinished);
    // Every platform binding of Paste, not only its first one.
    windowShortcut(QKeySequence::Paste, &Screenshot::pasteImage);
}

void Screenshot::checkToolButton(ToolKind kind)
{
    const std::pair<QAbstractButton *, ToolKind> tools[] = {
        {ui->bt_crop, ToolKind::Crop},      {ui->bt_tool_arrow, ToolKind::Arrow},
        {ui->bt_tool_line, ToolKind::Line}, {ui->bt_tool_square, ToolKind::Square},
        {ui->bt_tool_text, ToolKind::Text}, {ui->bt_tool_blur, ToolKind::Blur},
    };
    for (const auto &[button, buttonKind] : tools)
        button->setChecked(buttonKind == kind);
}

void Screenshot::updateColorButton()
{
    ui->bt_color->setStyleSheet(
        QStringLiteral(
            "QPushButton:hover{ border-color: grey; } QPushButton{ border-style: outset; "
            "border-width: 2px; border-radius: 10px; border-color: beige; width: 20px; "
            "height:20px; padding: 5px; background-color: %1;}")
            .arg(document->editState.color.name()));
}

QPointF Screenshot::viewportPosition(const QMouseEvent *event) const
{
    return ui->scrollArea->viewport()->mapFrom(this, event->position());
}

bool Screenshot::event(QEvent *event)
{
    // A key that completes a shortcut never arrives as a key press; this is all Ctrl tracking
    // gets to see of it.
    if (event->type() == QEvent::ShortcutOverride)
        input->trackKeyPress(*static_cast<QKeyEvent *>(event));
    return QWidget::event(event);
}

bool Screenshot::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->scrollArea->viewport()) {
        return event->type() == QEvent::Wheel && input->wheel(*static_cast<QWheelEvent *>(event));
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        input->trackKeyPress(*static_cast<QKeyEvent *>(event));
        break;
    case QEvent::KeyRelease:
        input->trackKeyRelease(*static_cast<QKeyEvent *>(event));
        break;
    case QEvent::FocusOut:
        // The entry's own context menu takes the focus too; the text is still being typed.
        if (watched == input->textEntry() &&
            static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
            ToolTextFinished();
        break;
    default:
        break;
    }
    return false;
}

void Screenshot::keyPressEvent(QKeyEvent *event)
{
    input->trackKeyPress(*event);
    QWidget::keyPressEvent(event);
}

void Screenshot::keyReleaseEvent(QKeyEvent *event)
{
    input->keyReleased(*event);
    QWidget::keyReleaseEvent(event);
}

void Screenshot::mousePressEvent(QMouseEvent *event)
{
    input->mousePress(*event, viewportPosition(event));
}

void Screenshot::mouseMoveEvent(QMouseEvent *event)
{
    input->mouseMove(*event, viewportPosition(event));
}

void Screenshot::mouseReleaseEvent(QMouseEvent *event)
{
    input->mouseRelease(*event, viewportPosition(event));
}

void Screenshot::mouseDoubleClickEvent(QMouseEvent *event)
{
    input->mouseDoubleClick(*event, viewportPosition(event));
}

void Screenshot::registerHotkeys()
{
    QStringList failed;
    const auto shortcutFor = [this, &failed](const char *key,
                                             const char *fallback) -> QxtGlobalShortcut * {
        const QString stored = settingsStore().value(key, fallback).toString();
        const QKeySequence sequence(stored, QKeySequence::PortableText);
        if (sequence.isEmpty())
            return nullptr;
        auto *shortcut = new QxtGlobalShortcut(this);
        shortcut->setObjectName(QLatin1String(key));
        connect(shortcut, &QxtGlobalShortcut::activated, this, &Screenshot::shortcutActivated);
        if (!shortcut->setShortcut(sequence))
            failed << HotkeyFailureNotice::keyName(stored, sequence);
        return shortcut;
    };
    regionShortcut = shortcutFor(SettingsKeys::RegionCapture, SettingsKeys::RegionCaptureDefault);
    fullScreenShortcut =
        shortcutFor(SettingsKeys::FullScreenCapture, SettingsKeys::FullScreenCaptureDefault);
    ocrShortcut = shortcutFor(SettingsKeys::OcrScan, SettingsKeys::OcrScanDefault);
    hotkeyFailureNotice.report(failed);
}

void Screenshot::showHotkeyFailure(const QStringList &keys)
{
    trayIcon->showMessage(tr("Hot keys unavailable"),
                          tr("Could not register: %1. Another program may be using these keys, "
                             "or the stored key is not valid. You can choose other keys in the "
                             "settings.")
                              .arg(keys.join(QStringLiteral(", "))),
                          QSystemTrayIcon::Warning);
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

void Screenshot::startAnalytics()
{
    analytics = new QNetworkAccessManager(this);
    connect(analytics, &QNetworkAccessManager::finished, this, &Screenshot::receiveAnalyticsView);
    auto *timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] { requestAnalyticsView(QString()); });
    timer->start(300000);
    requestAnalyticsView(QString());
}

void Screenshot::requestAnalyticsView(const QString &event)
{
    Analytics::send(analytics, event);
}

// Nothing is read back; the reply only has to go.
void Screenshot::receiveAnalyticsView(QNetworkReply *reply)
{
    reply->deleteLater();
}
void Screenshot::hideAppIcon() {}
void Screenshot::showAppIcon() {}

void Screenshot::clickVideoCapture()
{
    auto *recorder = new VideoRecord;
    recorder->setAttribute(Qt::WA_DeleteOnClose);
    recorder->show();
    connect(recorder, &VideoRecord::emitAnalitycs, this, &Screenshot::requestAnalyticsView);
    requestAnalyticsView(QStringLiteral("ec=OpenWindow&ea=VideoRecorder"));
}

void Screenshot::openRuler()
{
    if (!ruler)
        ruler = new Ruler;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        ruler->setGeometry(screen->availableGeometry());
    ruler->show();
    ruler->raise();
}

void Screenshot::openQrScanner()
{
    if (!qrScanner)
        qrScanner = new QrScanner;
    qrScanner->startScan();
}

void Screenshot::openOcrScanner()
{
    if (!ocrScanner)
        ocrScanner = new OcrScanner;
    ocrScanner->startScan();
}

void Screenshot::openSettings()
{
    if (lastFiles)
        lastFiles->close();
    if (captureBusy && !settingsOpen)
        return;
    if (settingsOpen && settingsDialog) {
        settingsDialog->setFocus();
        settingsDialog->activateWindow();
        settingsDialog->raise();
        return;
    }
    // Released while the dialog is open, so that it can record the keys they hold.
    unregisterHotkeys();
    settingsDialog = new Settings;
    settingsDialog->setModalTo(this);
    settingsDialog->show();
    settingsDialog->raise();
    connect(settingsDialog, &Settings::closeSettings, this, &Screenshot::closeSettings);
    connect(settingsDialog, &Settings::changeLang, this, &Screenshot::changeLang);
    settingsOpen = true;
    requestAnalyticsView(QStringLiteral("ec=OpenWindow&ea=Settings"));
}

void Screenshot::closeSettings()
{
    registerHotkeys();
    if (settingsDialog)
        settingsDialog->deleteLater();
    settingsDialog = nullptr;
    settingsOpen = false;
    updateExternalEditorButton();
}

void Screenshot::changeLang()
{
    QCoreApplication::removeTranslator(translator);
    loadAndInstallTranslation(*translator, storedLanguageFile());
    requestAnalyticsView(QStringLiteral("ec=Languages&ea=changeLang&el=") +
                         settingsStore().value(SettingsKeys::Language).toString());
}

void Screenshot::clickCrop()
{
    input->chooseTool(ToolKind::Crop);
}
void Screenshot::clickUndo()
{
    ToolTextFinished();
    document->undo();
    requestAnalyticsView(QStringLiteral("ec=EditorButtons&ea=Undo"));
}

void Screenshot::clickRedo()
{
    document->redo();
    requestAnalyticsView(QStringLiteral("ec=EditorButtons&ea=Redo"));
}
void Screenshot::clickColor()
{
    input->colorPicked(QColorDialog::getColor(document->editState.color, this, tr("Select color")));
}
void Screenshot::ToolTextFinished()
{
    input->finishText();
}
void Screenshot::ToolTextChanged()
{
    input->textChanged();
}
void Screenshot::onCursorPositionChanged()
{
    input->cursorPositionChanged();
}
void Screenshot::removeSelectedObject()
{
    input->removeSelectedObject();
}
void Screenshot::on_bt_tool_arrow_clicked()
{
    input->chooseTool(ToolKind::Arrow);
}
void Screenshot::on_bt_tool_line_clicked()
{
    input->chooseTool(ToolKind::Line);
}
void Screenshot::on_bt_tool_square_clicked()
{
    input->chooseTool(ToolKind::Square);
}
void Screenshot::on_bt_tool_text_clicked()
{
    input->chooseTool(ToolKind::Text);
}
void Screenshot::on_bt_tool_blur_clicked()
{
    input->chooseTool(ToolKind::Blur);
}
void Screenshot::on_horizontalSlider_valueChanged(int value)
{
    if (input->setToolSize(value))
        ui->horizontalSlider->clearFocus();
}
void Screenshot::on_horizontalSlider_sliderReleased()
{
    if (input->setToolSize(ui->horizontalSlider->value()))
        ui->horizontalSlider->clearFocus();
}
void Screenshot::on_bt_size_minus_clicked()
{
    ui->horizontalSlider->setValue(ui->horizontalSlider->value() - 1);
}
void Screenshot::on_bt_size_plus_clicked()
{
    ui->horizontalSlider->setValue(ui->horizontalSlider->value() + 1);
}
