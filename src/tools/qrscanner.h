#pragma once

#include "regionpicker.h"

#include <QDialog>
#include <QImage>

class QPlainTextEdit;
class QToolButton;

// Reads QR codes anywhere on the screen: the dialog steps aside, the desktop is frozen, the user
// frames the codes, and the dialog comes back with their text, ready to be copied.
class QrScanner : public QDialog
{
    Q_OBJECT

public:
    explicit QrScanner(QWidget *parent = nullptr);

    void setDesktopGrabber(RegionPicker::DesktopGrabber grabber)
    {
        picker.setDesktopGrabber(std::move(grabber));
    }

    QString resultText() const;
    SelectRegion *openSelector() const { return picker.openSelector(); }
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
    RegionPicker picker;
};
