// The main window's image output and input: saving, copying, handing the capture to another
// program or to the upload, and images that arrive by dialog, drop or paste.

#include "screenshot.h"
#include "ui_screenshot.h"

#include "editordocument.h"
#include "imagefiles.h"
#include "maineditor.h"
#include "settingskeys.h"
#include "usermessage.h"
#include "windowsizing.h"

#include <QClipboard>
#include <QCursor>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QRandomGenerator>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>

void Screenshot::clickSave()
{
    ToolTextFinished();
    if (document->mainPixmap.isNull()) {
        showUserMessage(tr("Capture screen first"));
    } else {
        const QPixmap result = canvas->renderResult();
        const QString folder =
            QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + "/Quorvel/";
        QDir().mkpath(folder);
        const QString format = QStringLiteral("png");
        const QString path = QFileDialog::getSaveFileName(
            this, tr("Save As"), ImageFiles::suggestedSavePath(folder),
            tr("%1 Files (*.%2);;All Files (*)").arg(format.toUpper(), format));
        if (!path.isEmpty()) {
            QString error;
            if (ImageFiles::savePng(result.toImage(), path, &error)) {
                resetDocument();
                hide();
            } else {
                showUserMessage(tr("The image could not be saved to %1.\n%2").arg(path, error));
            }
        }
    }
    requestAnalyticsView(QStringLiteral("ec=EditorButtons&ea=SaveImage"));
}

void Screenshot::on_bt_copy_clicked()
{
    ToolTextFinished();
    if (!document->mainPixmap.isNull())
        QGuiApplication::clipboard()->setPixmap(canvas->renderResult(), QClipboard::Clipboard);
    requestAnalyticsView(QStringLiteral("ec=EditorButtons&ea=CopyToClipBoard"));
}

void Screenshot::on_bt_external_editor_clicked()
{
    ToolTextFinished();
    const QString program = settingsStore().value(SettingsKeys::ExternalEditor).toString();
    if (program.isEmpty()) {
        ui->bt_external_editor->hide();
        return;
    }
    if (document->mainPixmap.isNull()) {
        showUserMessage(tr("Capture screen first"));
        return;
    }
    document->clearSelection();
    canvas->repaint();
    const QString path = ImageFiles::writeHandOffPng(
        canvas->renderResult().toImage(),
        QStandardPaths::writableLocation(QStandardPaths::TempLocation) + "/screenshot_" +
            QDateTime::currentDateTime().toString(QStringLiteral("dd-MM-yyyy_hh-mm-ss")));
    if (!path.isEmpty()) {
        if (QProcess::startDetached(program, {QDir::toNativeSeparators(path)})) {
            resetDocument();
            hide();
        } else {
            showUserMessage(tr("The external editor %1 could not be started.").arg(program));
        }
    }
    requestAnalyticsView(QStringLiteral("ec=EditorButtons&ea=ExternalEditor"));
}

void Screenshot::updateExternalEditorButton()
{
    const QString program = settingsStore().value(SettingsKeys::ExternalEditor).toString();
    if (program.isEmpty()) {
        ui->bt_external_editor->hide();
        return;
    }
    ui->bt_external_editor->setIcon(
        QFileIconProvider().icon(QFileInfo(program)).pixmap(QSize(25, 25)));
    ui->bt_external_editor->show();
}

void Screenshot::on_bt_upload_clicked()
{
    requestAnalyticsView(QStringLiteral("ec=EditorButtons&ea=Upload"));
    ToolTextFinished();
    if (document->mainPixmap.isNull())
        return;
    const QString path =
        ImageFiles::writeHandOffPng(canvas->renderResult().toImage(),
                                    QDir::tempPath() + "/screenshot_" +
                                        QString::number(QRandomGenerator::global()->generate()));
    if (path.isEmpty())
        return;
    if (handOffUpload(path, uploadPopupPosition(1), true)) {
        hide();
        resetDocument();
    } else {
        QFile::remove(path);
    }
}

void Screenshot::sendAnyFile()
{
    const QString path =
        QFileDialog::getOpenFileName(nullptr, tr("Open File"), QString(), tr("Any Files (*.*)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).size() > ImageFiles::MaxSendFileSize) {
        showUserMessage(tr("You can't send file more then 100Mb. Sorry!"));
        return;
    }
    handOffUpload(path, uploadPopupPosition(activeUploads + 1), false);
}

QPoint Screenshot::uploadPopupPosition(int row)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->geometry().size() : QSize(800, 600);
    return {size.width() - 320, size.height() - 120 * row};
}

void Screenshot::uploadDone()
{
    --activeUploads;
}

void Screenshot::uploadFileDone()
{
    --activeUploads;
}

void Screenshot::openFile()
{
    openFile(QString());
}

void Screenshot::openFile(const QString &path)
{
    const QString chosen =
        path.isEmpty() ? QFileDialog::getOpenFileName(nullptr, tr("Open Image"), QString(),
                                                      tr("Image Files (*.png *.jpg *.bmp *.gif)"))
                       : path;
    if (!chosen.isEmpty())
        addLoadedImage(ImageFiles::loadImage(chosen));
}

void Screenshot::addLoadedImage(const ImageFiles::LoadedImage &loaded)
{
    if (loaded.tooLarge)
        showUserMessage(tr("Image is too large to open (%1 × %2 pixels)!")
                            .arg(loaded.size.width())
                            .arg(loaded.size.height()));
    else
        addPicture(QPixmap::fromImage(loaded.image));
}

void Screenshot::dragEnterEvent(QDragEnterEvent *event)
{
    // A drag that would open nothing is refused here, so the pointer says so before the drop.
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.cbegin(), urls.cend(), ImageFiles::isDroppableImage))
        event->acceptProposedAction();
}

void Screenshot::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    for (const QUrl &url : urls) {
        if (ImageFiles::isDroppableImage(url))
            openFile(url.toLocalFile());
    }
}

void Screenshot::pasteImage()
{
    const ImageFiles::LoadedImage pasted =
        ImageFiles::pastedImage(QGuiApplication::clipboard()->mimeData());
    if (!pasted.image.isNull() || pasted.tooLarge)
        addLoadedImage(pasted);
}

void Screenshot::addPicture(const QPixmap &image)
{
    if (!ImageFiles::isUsablePicture(image)) {
        showUserMessage(tr("Image very small or is broken!"));
        return;
    }
    const bool replacesCanvas = document->mainPixmap.isNull() || document->blankDocument;
    document->addPictureBelow(image);
    const QRect placed = document->objects.last().bounds.rect();
    if (replacesCanvas)
        showEditorWindow();
    setOutputEnabled(true);
    resizeCanvas(true);
    fitWindowToScreen();
    presentEditor();
    canvas->repaint();
    scrollIntoView(placed);
}

void Screenshot::scrollIntoView(const QRect &area)
{
    // Once the window's new size is laid out and the scroll range follows the canvas.
    QTimer::singleShot(0, this, [this, area] {
        // Its far edge, as ensureVisible keeps a point just inside the view.
        ui->scrollArea->ensureVisible(area.x() + area.width(), area.y() + area.height(), 0, 0);
        ui->scrollArea->ensureVisible(area.left(), area.top(), 0, 0);
    });
}

void Screenshot::openEditor()
{
    resetDocument();
    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    resize(screen ? WindowSizing::blankEditorSize(screen->availableGeometry().size())
                  : QSize(800, 600));
    showNormal();
    newBlankDocument();
    canvas->repaint();
    raise();
    activateWindow();
}

void Screenshot::newBlankDocument()
{
    const QSize size = WindowSizing::blankCanvasSize(ui->scrollArea->viewport()->size(),
                                                     this->size(), editorChrome());
    document->startBlank(size);
    setOutputEnabled(true);
}

void Screenshot::showEditorWindow()
{
    if (isMaximized())
        return;
    if (QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(WindowSizing::editorGeometry(document->mainPixmap.size(),
                                                 screen->availableGeometry(), minimumSize(),
                                                 editorChrome()));
    activateWindow();
    raise();
}

void Screenshot::presentEditor()
{
    show();
    setFocus();
    raise();
    activateWindow();
}

void Screenshot::fitWindowToScreen()
{
    QScreen *screen = QGuiApplication::screenAt(geometry().center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        resize(WindowSizing::fittedToCanvas(canvas->size(), screen->availableGeometry().size(),
                                            editorChrome()));
}

WindowSizing::Chrome Screenshot::editorChrome() const
{
    const QMargins margins = layout()->contentsMargins();
    const int frame = 2 * ui->scrollArea->frameWidth();
    const int toolbar = ui->toolbarLayout->sizeHint().height() + layout()->spacing();
    return {QSize(margins.left() + margins.right() + frame,
                  margins.top() + toolbar + margins.bottom() + frame),
            ui->scrollArea->verticalScrollBar()->sizeHint().width()};
}
