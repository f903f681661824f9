#include "qrscanner.h"

#include "copiedtoast.h"
#include "qrdecoder.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

QrScanner::QrScanner(QWidget *parent) : QDialog(parent), picker(this, [this] { startSelection(); })
{
    setWindowTitle(tr("QR Scanner"));
    resize(600, 300);
    setStyleSheet(QStringLiteral(
        "QDialog { background: #f4f6f8; color: #1d2730; }"
        "QLabel#sectionTitle { color: #63717c; font-size: 11px; font-weight: 600; "
        "letter-spacing: 1px; }"
        "QPlainTextEdit { background: white; color: #1d2730; border: 1px solid #cbd3d9; "
        "border-radius: 3px; padding: 8px; selection-background-color: #1677c8; }"));

    auto *caption = new QLabel(tr("RESULT"), this);
    caption->setObjectName(QStringLiteral("sectionTitle"));

    copyButton = createCopyButton(this, tr("Copy result"));
    connect(copyButton, &QToolButton::clicked, this, &QrScanner::copyResult);

    resultEdit = new QPlainTextEdit(this);
    resultEdit->setReadOnly(true);
    resultEdit->setPlaceholderText(tr("Decoded text will appear here"));
    resultEdit->setMinimumHeight(90);

    auto *header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->addWidget(caption);
    header->addStretch();
    header->addWidget(copyButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 18);
    layout->setSpacing(8);
    layout->addLayout(header);
    layout->addWidget(resultEdit);
}

QString QrScanner::resultText() const
{
    return resultEdit->toPlainText();
}

void QrScanner::startScan()
{
    if (picker.isBusy() || !QGuiApplication::primaryScreen())
        return;
    hide();
    picker.scheduleSelection();
}

void QrScanner::startSelection()
{
    if (!picker.openSelection(this, &QrScanner::regionSelected))
        show();
}

void QrScanner::regionSelected(QPoint p1, QPoint p2)
{
    const RegionPicker::Pick pick = picker.finishSelection(p1, p2);
    switch (pick.outcome) {
    case RegionPicker::Outcome::Ignored:
        return;
    case RegionPicker::Outcome::Cancelled:
        show();
        activateWindow();
        return;
    case RegionPicker::Outcome::Picked:
        processImage(pick.image);
        break;
    case RegionPicker::Outcome::TooSmall:
        break;
    }
    showDialog();
}

void QrScanner::showDialog()
{
    show();
    raise();
    activateWindow();
}

void QrScanner::processImage(const QImage &image)
{
    lastImage = image;
    if (image.isNull())
        return;
    const QString text = QrDecoder::scanImage(image);
    resultEdit->setPlainText(text);
    copyButton->setEnabled(!text.isEmpty());
    if (text.isEmpty())
        resultEdit->setPlaceholderText(tr("No QR code was found in this area"));
}

void QrScanner::copyResult()
{
    QGuiApplication::clipboard()->setText(resultEdit->toPlainText());
    copyButton->setToolTip(tr("Copied"));
    showCopiedToast(this, copyButton, tr("Copied to clipboard"));
    QTimer::singleShot(CopiedToastMs, copyButton,
                       [this] { copyButton->setToolTip(tr("Copy result")); });
}
