#include "ocrscanner.h"

#include "copiedtoast.h"
#include "ocrrequest.h"
#include "serviceapi.h"
#include "settingskeys.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHttpMultiPart>
#include <QLabel>
#include <QMetaEnum>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSslError>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent>

OcrScanner::OcrScanner(QWidget *parent)
    : QDialog(parent), picker(this, [this] { startSelection(); }),
      networkManager(new QNetworkAccessManager(this))
{
    setWindowTitle(tr("OCR Scanner"));
    resize(600, 300);
    setStyleSheet(QStringLiteral(
        "QDialog { background: #f4f6f8; color: #1d2730; }"
        "QLabel#sectionTitle { color: #63717c; font-size: 11px; font-weight: 600; }"
        "QPlainTextEdit { background: white; color: #1d2730; border: 1px solid #cbd3d9; "
        "border-radius: 3px; padding: 8px; selection-background-color: #1677c8; }"));

    auto *caption = new QLabel(tr("RESULT"), this);
    caption->setObjectName(QStringLiteral("sectionTitle"));

    scanButton = new QPushButton(tr("Scan"), this);
    scanButton->setToolTip(tr("Select a region to scan"));
    scanButton->setAccessibleName(tr("Scan"));
    connect(scanButton, &QPushButton::clicked, this, &OcrScanner::startScan);
    connect(&preparing, &QFutureWatcher<QByteArray>::finished, this, &OcrScanner::sendPrepared);

    copyButton = createCopyButton(this, tr("Copy result"));
    connect(copyButton, &QToolButton::clicked, this, &OcrScanner::copyResult);

    resultEdit = new QPlainTextEdit(this);
    resultEdit->setReadOnly(true);
    resultEdit->setPlaceholderText(tr("Recognized text will appear here"));

    statusLabel = new QLabel(this);
    statusLabel->setStyleSheet(QStringLiteral("QLabel { color: #63717c; }"));
    // The line repeats what the service said; markup in it must not be rendered.
    statusLabel->setTextFormat(Qt::PlainText);

    auto *header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->addWidget(caption);
    header->addStretch();
    header->addWidget(scanButton);
    header->addWidget(copyButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 18);
    layout->setSpacing(8);
    layout->addLayout(header);
    layout->addWidget(resultEdit);
    layout->addWidget(statusLabel);
}

OcrScanner::~OcrScanner()
{
    // The reply would otherwise report its abort to a dialog that is half gone.
    if (pendingReply) {
        pendingReply->disconnect(this);
        pendingReply->abort();
    }
}

void OcrScanner::startScan()
{
    if (picker.isBusy() || isRequestRunning() || !QGuiApplication::primaryScreen())
        return;
    resultEdit->clear();
    copyButton->setEnabled(false);
    statusLabel->clear();
    hide();
    picker.scheduleSelection();
}

void OcrScanner::startSelection()
{
    if (!picker.openSelection(this, &OcrScanner::regionSelected))
        show();
}

void OcrScanner::regionSelected(QPoint p1, QPoint p2)
{
    const RegionPicker::Pick pick = picker.finishSelection(p1, p2);
    switch (pick.outcome) {
    case RegionPicker::Outcome::Ignored:
        return;
    case RegionPicker::Outcome::Cancelled:
        hide();
        return;
    case RegionPicker::Outcome::Picked:
        recognize(pick.image);
        return;
    case RegionPicker::Outcome::TooSmall:
        show();
        activateWindow();
        return;
    }
}

void OcrScanner::recognize(const QImage &image)
{
    resultEdit->clear();
    copyButton->setEnabled(false);
    statusLabel->setText(tr("Recognizing..."));
    sendRequest(image);
    showDialog();
}

void OcrScanner::showDialog()
{
    show();
    raise();
    activateWindow();
}

void OcrScanner::setBusy(bool busy)
{
    scanButton->setEnabled(!busy);
    if (busy)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void OcrScanner::sendRequest(const QImage &image)
{
    const QString uuid = settingsStore().value(SettingsKeys::Uuid).toString();
    if (uuid.isEmpty()) {
        statusLabel->setText(tr("Quorvel UUID is missing"));
        return;
    }
    setBusy(true);
    awaitingPreparation = true;
    preparingUuid = uuid;
    preparing.setFuture(QtConcurrent::run(&OcrRequest::preparedPng, image));
}

void OcrScanner::sendPrepared()
{
    awaitingPreparation = false;
    const QByteArray png = preparing.result();
    if (png.isEmpty()) {
        setBusy(false);
        statusLabel->setText(tr("Could not prepare image"));
        return;
    }
    // Signed now, not when the region was picked: the service checks how old the time stamp is.
    const OcrRequest::Signed fields = OcrRequest::sign(preparingUuid, ServiceApi::ocrSigningKey());
    QHttpMultiPart *body = OcrRequest::body(fields, png);
    pendingReply = ServiceApi::limitReply(
        networkManager->post(ServiceApi::request(ServiceApi::ocrUrl()), body));
    body->setParent(pendingReply);
    connect(pendingReply, &QNetworkReply::finished, this, &OcrScanner::requestFinished);
    // Nothing ignores them: the reply then fails with a network error.
    connect(pendingReply, &QNetworkReply::sslErrors, this, [](const QList<QSslError> &errors) {
        for (const QSslError &error : errors)
            qWarning() << "OCR TLS error:" << error.errorString();
    });
}

void OcrScanner::requestFinished()
{
    QNetworkReply *reply = pendingReply;
    pendingReply = nullptr;
    if (!reply)
        return;
    setBusy(false);
    // An aborted (timed-out) reply is closed and has nothing to read.
    const QByteArray body = reply->isReadable() ? reply->readAll() : QByteArray();
    const QNetworkReply::NetworkError error = reply->error();
    const QString errorText = ServiceApi::errorText(reply);
    const QVariant httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QUrl url = reply->url();
    reply->deleteLater();

    const QJsonObject answer = ServiceApi::parseReply(body);
    const QString apiError = ServiceApi::text(answer, QStringLiteral("error"));
    // The service's own words explain an HTTP error status better than the status does.
    if (!apiError.isEmpty()) {
        const QString status =
            httpStatus.isValid() ? QStringLiteral(" [%1]").arg(httpStatus.toInt()) : QString();
        qWarning() << "OCR API error" << status << apiError << url;
        statusLabel->setText(tr("OCR API error%1: %2").arg(status, apiError));
        return;
    }
    if (error != QNetworkReply::NoError) {
        qWarning() << "OCR network error:"
                   << QMetaEnum::fromType<QNetworkReply::NetworkError>().valueToKey(error)
                   << errorText << url;
        statusLabel->setText(tr("OCR request failed (%1): %2").arg(int(error)).arg(errorText));
        return;
    }
    if (!ServiceApi::isSuccess(answer)) {
        qWarning() << "OCR invalid response:" << body << url;
        statusLabel->setText(tr("OCR returned an invalid response"));
        return;
    }
    const QString text = ServiceApi::text(answer, QStringLiteral("text"));
    resultEdit->setPlainText(text);
    copyButton->setEnabled(!text.isEmpty());
    statusLabel->setText(text.isEmpty() ? tr("No text was recognized") : tr("Done"));
}

void OcrScanner::copyResult()
{
    QGuiApplication::clipboard()->setText(resultEdit->toPlainText());
    statusLabel->setText(tr("Copied to clipboard"));
}
