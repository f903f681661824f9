#include "uploadprogress.h"
#include "ui_uploadprogress.h"

#include "desktopcopy.h"
#include "plainmessage.h"
#include "serviceapi.h"
#include "session.h"
#include "uploadbody.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonObject>
#include <QMimeDatabase>
#include <QMouseEvent>
#include <QNetworkAccessManager>
#include <QPropertyAnimation>

UploadProgress::UploadProgress(QWidget *parent) : QDialog(parent), ui(new Ui::UploadProgress)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    ui->label_upload_progress->setText(tr("Uploading file..."));
    ui->label_upload_progress->show();
    ui->progressBar->show();
    ui->label_done_text->hide();
    ui->label_done_icon->hide();
    // A popup without parent outlives the event loop; its file must not stay in the temporary
    // folder.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &UploadProgress::interrupt);
}

UploadProgress::~UploadProgress()
{
    interrupt();
    delete ui;
}

namespace {

// A reply that is no JSON may be a whole web page: the message shows its beginning.
QString shownResponse(const QByteArray &body)
{
    constexpr int MaxShown = 300;
    const QString text = QString::fromUtf8(body);
    return text.size() > MaxShown ? text.left(MaxShown) + QChar(0x2026) : text;
}

} // namespace

bool UploadProgress::upload(const QString &path)
{
    filePath = path;
    ui->label_upload_progress->show();
    ui->progressBar->show();
    ui->bt_cancel->show();
    ui->label_done_text->hide();
    ui->label_done_icon->hide();

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        // Nothing was sent: the file stays with whoever handed it over.
        settled = true;
        showPlainMessage(tr("Could not open file: ") + path);
        return false;
    }
    const QString fileName = QFileInfo(path).fileName();
    ui->label_upload_progress->setText(
        saveCopyOnFailure ? QStringLiteral("%1...").arg(tr("Uploading file"))
                          : QStringLiteral("%1 %2...").arg(tr("Uploading file"), fileName));
    const QString mimeType = QMimeDatabase().mimeTypeForFile(path).name();
    const QByteArray body = UploadBody::build(fileName, mimeType, file.readAll());
    file.close();

    QNetworkRequest request = ServiceApi::request(ServiceApi::uploadUrl());
    request.setHeader(QNetworkRequest::ContentTypeHeader, UploadBody::contentType());
    request.setHeader(QNetworkRequest::ContentLengthHeader, QByteArray::number(body.size()));
    auto *manager = new QNetworkAccessManager(this);
    reply = ServiceApi::limitReply(manager->post(request, body));
    connect(reply, &QNetworkReply::finished, this, &UploadProgress::requestFinished);
    connect(reply, &QNetworkReply::errorOccurred, this, &UploadProgress::uploadError);
    connect(reply, &QNetworkReply::uploadProgress, this, &UploadProgress::uploadProgress);
    return true;
}

void UploadProgress::uploadProgress(qint64 done, qint64 total)
{
    if (done < 1 || total <= 0 || !reply || !reply->isOpen())
        return;
    const int percent = int(done * 100 / total);
    ui->progressBar->setValue(percent);
    if (percent == 100 && reply->isFinished())
        ui->label_upload_progress->setText(tr("Getting link..."));
}

void UploadProgress::uploadError(QNetworkReply::NetworkError error)
{
    // Only the user's own cancel goes unreported; a stalled transfer is cancelled by the timeout.
    if (error == QNetworkReply::OperationCanceledError && cancelled)
        return;
    showPlainMessage(failureMessage(reply ? ServiceApi::errorText(reply) : QString()));
}

void UploadProgress::settleSuccess()
{
    settled = true;
    if (saveCopyOnFailure)
        QFile::remove(filePath);
}

QString UploadProgress::keepFile()
{
    if (settled)
        return {};
    settled = true;
    if (!saveCopyOnFailure)
        return {};
    const QString moved = DesktopCopy::moveToDesktop(filePath, desktopName);
    return tr("The file is kept at %1")
        .arg(QDir::toNativeSeparators(moved.isEmpty() ? filePath : moved));
}

void UploadProgress::interrupt()
{
    if (settled || !reply)
        return;
    reply->disconnect(this);
    reply->abort();
    const QString where = keepFile();
    if (!where.isEmpty())
        qInfo().noquote() << "Upload interrupted." << where;
}

QString UploadProgress::failureMessage(const QString &response)
{
    const QString where = keepFile();
    if (where.isEmpty())
        return tr("Uploading error!\nResponse: ") + response;
    return tr("Uploading error!\n%1\n\nResponse: %2").arg(where, response);
}

void UploadProgress::requestFinished()
{
    bool success = false;
    if (reply && reply->error() == QNetworkReply::NoError) {
        const QByteArray body = reply->readAll();
        const QJsonObject answer = ServiceApi::parseReply(body);
        const QString fileUrl = ServiceApi::text(answer, QStringLiteral("fileurl"));
        const QString error = ServiceApi::text(answer, QStringLiteral("error"));
        success = ServiceApi::isSuccess(answer) && !fileUrl.isEmpty();
        showFinished(success);
        if (success) {
            settleSuccess();
            QGuiApplication::clipboard()->setText(fileUrl);
            if (!ServiceApi::text(answer, QStringLiteral("authfail")).isEmpty())
                Session::clearAfterAuthFailure();
            const QString message = ServiceApi::text(answer, QStringLiteral("message"));
            if (!message.isEmpty())
                showPlainMessage(message);
        } else if (ServiceApi::text(answer, QStringLiteral("success")) == QLatin1String("false") &&
                   !error.isEmpty()) {
            const QString where = keepFile();
            showPlainMessage(where.isEmpty() ? error : error + QStringLiteral("\n\n") + where);
        } else {
            showPlainMessage(failureMessage(shownResponse(body)));
        }
    } else if (!cancelled) {
        showFinished(false);
    }
    startFadeOut();
    if (success && isHidden() && trayIcon) {
        trayIcon->showMessage(
            tr("Quorvel Cloud"),
            QStringLiteral("%1 %2 %3")
                .arg(tr("Your file"), QFileInfo(filePath).fileName(), tr("has been uploaded!")),
            QSystemTrayIcon::Information, 10000);
    }
}

void UploadProgress::showFinished(bool success)
{
    ui->label_upload_progress->hide();
    ui->progressBar->hide();
    ui->bt_cancel->hide();
    ui->label_done_text->show();
    ui->label_done_icon->setVisible(success);
    if (!success)
        ui->label_done_text->setText(tr("Uploading error!"));
}

void UploadProgress::startFadeOut()
{
    auto *fade = new QPropertyAnimation(this, "windowOpacity", this);
    fade->setDuration(4000);
    fade->setStartValue(0.7);
    fade->setEndValue(0.0);
    connect(fade, &QPropertyAnimation::finished, this, &UploadProgress::onFadeOutFinished);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

void UploadProgress::onFadeOutFinished()
{
    emit uploadDone();
    deleteLater();
}

void UploadProgress::on_bt_close_clicked()
{
    hide();
}

void UploadProgress::on_bt_cancel_clicked()
{
    cancelled = true;
    if (reply)
        reply->abort();
    const QString where = keepFile();
    emit uploadDone();
    startFadeOut();
    deleteLater();
    // Last: the popup may be gone once the message box has run its own event loop.
    if (!where.isEmpty())
        showPlainMessage(tr("Upload cancelled.") + QLatin1Char('\n') + where);
}

void UploadProgress::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    pressX = at.x();
    pressY = at.y();
    setCursor(Qt::OpenHandCursor);
}

void UploadProgress::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPosition().toPoint() - QPoint(pressX, pressY));
}

void UploadProgress::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        setCursor(Qt::ArrowCursor);
}
