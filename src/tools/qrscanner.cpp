#include "qrscanner.h"

#include "copiedtoast.h"
#include "grabdesktop.h"
#include "qrdecoder.h"
#include "selectionmapping.h"
#include "selectregion.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int SelectionDelayMs = 300;
// A region this small or smaller in either direction (image pixels) is taken as a slip.
constexpr int SmallestRegion = 10;

// The frame the user saw around the selection, both corners included, in image pixels; the
// selector's corner lay at `origin` and showed image pixel (0, 0) there.
QRect scanArea(const QPoint &p1, const QPoint &p2, const QPoint &origin, const QSize &imageSize,
               qreal ratio)
{
    const QRect framed = framedRectangle(p1 - origin, p2 - origin);
    const QRect scaled(qRound(framed.x() * ratio), qRound(framed.y() * ratio),
                       qRound(framed.width() * ratio), qRound(framed.height() * ratio));
    return scaled & QRect(QPoint(0, 0), imageSize);
}

QIcon copyIcon()
{
    const QIcon themed = QIcon::fromTheme(QStringLiteral("edit-copy"));
    if (!themed.isNull())
        return themed;
    QPixmap picture(18, 18);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(QStringLiteral("#52616d")), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(6.5, 2.5, 8.5, 11), 1.5, 1.5);
    painter.drawRoundedRect(QRectF(3, 5.5, 8.5, 10), 1.5, 1.5);
    return QIcon(picture);
}

} // namespace

QrScanner::QrScanner(QWidget *parent)
    : QDialog(parent), grabDesktopImage([] { return grabDesktop([] { return CapturedCursor(); }); })
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

    copyButton = new QToolButton(this);
    copyButton->setIcon(copyIcon());
    copyButton->setToolTip(tr("Copy result"));
    copyButton->setAccessibleName(tr("Copy result"));
    copyButton->setAutoRaise(true);
    copyButton->setEnabled(false);
    copyButton->setFixedSize(28, 28);
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

    selectionDelay.setSingleShot(true);
    selectionDelay.setInterval(SelectionDelayMs);
    connect(&selectionDelay, &QTimer::timeout, this, &QrScanner::startSelection);
}

QString QrScanner::resultText() const
{
    return resultEdit->toPlainText();
}

void QrScanner::startScan()
{
    // A second request while one is waiting would open a second selector over the first.
    if (selector || selectionDelay.isActive() || !QGuiApplication::primaryScreen())
        return;
    hide();
    selectionDelay.start();
}

void QrScanner::startSelection()
{
    frozenScreen = QGuiApplication::primaryScreen() ? grabDesktopImage() : QPixmap();
    if (frozenScreen.isNull()) {
        show();
        return;
    }
    selector = new SelectRegion;
    selector->setPixmap(frozenScreen);
    selector->setGeometry(
        overlayGeometry(currentDesktopLayout(), frozenScreen.deviceIndependentSize()));
    connect(selector, &SelectRegion::regionSelected, this, &QrScanner::regionSelected);
    selector->show();
    selector->raise();
    selector->activateWindow();
}

void QrScanner::regionSelected(QPoint p1, QPoint p2)
{
    if (!selector)
        return;
    SelectRegion *finished = selector;
    const QPoint origin = finished->pos();
    disconnect(finished, &SelectRegion::regionSelected, this, nullptr);
    finished->hide();
    finished->deleteLater();
    selector = nullptr;

    if (isCancelledSelection(p1, p2)) {
        show();
        activateWindow();
        return;
    }
    const QRect area =
        scanArea(p1, p2, origin, frozenScreen.size(), frozenScreen.devicePixelRatio());
    if (area.width() > SmallestRegion && area.height() > SmallestRegion)
        processImage(frozenScreen.copy(area).toImage());
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
