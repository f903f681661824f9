#pragma once

#include "selectregion.h"

#include <QDialog>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QTimer>

#include <functional>

class QPlainTextEdit;
class QToolButton;

// Reads QR codes anywhere on the screen: the dialog steps aside, the desktop is frozen, the user
// frames the codes, and the dialog comes back with their text, ready to be copied.
class QrScanner : public QDialog
{
    Q_OBJECT

public:
    explicit QrScanner(QWidget *parent = nullptr);

    // Where frozen desktops come from; tests put a known picture behind it.
    using DesktopGrabber = std::function<QPixmap()>;
    void setDesktopGrabber(DesktopGrabber grabber) { grabDesktopImage = std::move(grabber); }

    QString resultText() const;
    SelectRegion *openSelector() const { return selector; }
    const QImage &lastScannedImage() const { return lastImage; }

    void startScan();
    void processImage(const QImage &image);

public slots:
    void regionSelected(QPoint p1, QPoint p2);

private slots:
    void startSelection();
    void copyResult();

private:
    void showDialog();

    QPlainTextEdit *resultEdit = nullptr;
    QToolButton *copyButton = nullptr;
    QImage lastImage;
    QPointer<SelectRegion> selector;
    QPixmap frozenScreen;
    // The editor-like dialog must be off the screen before the grab.
    QTimer selectionDelay;
    DesktopGrabber grabDesktopImage;
};
