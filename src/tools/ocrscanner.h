#pragma once

#include "regionpicker.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QNetworkReply>
#include <QPointer>

class QLabel;
class QNetworkAccessManager;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

// Recognises text anywhere on the screen: the dialog steps aside, the desktop is frozen, the user
// frames the text, and the service's reading of it comes back in the dialog, ready to be copied.
class OcrScanner : public QDialog
{
    Q_OBJECT

public:
    explicit OcrScanner(QWidget *parent = nullptr);
    ~OcrScanner() override;

    void setDesktopGrabber(RegionPicker::DesktopGrabber grabber)
    {
        picker.setDesktopGrabber(std::move(grabber));
    }
    SelectRegion *openSelector() const { return picker.openSelector(); }
    // From the moment a region is picked until the service's reply has been shown.
    bool isRequestRunning() const { return awaitingPreparation || pendingReply; }

    void startScan();
    void recognize(const QImage &image);

public slots:
    void regionSelected(QPoint p1, QPoint p2);
    void requestFinished();

private slots:
    void startSelection();
    void copyResult();

private:
    void sendRequest(const QImage &image);
    void sendPrepared();
    void showDialog();
    void setBusy(bool busy);

    QPlainTextEdit *resultEdit = nullptr;
    QPushButton *scanButton = nullptr;
    QToolButton *copyButton = nullptr;
    QLabel *statusLabel = nullptr;
    RegionPicker picker;
    QNetworkAccessManager *networkManager = nullptr;
    // The region is made ready off the GUI thread: a large one takes seconds.
    QFutureWatcher<QByteArray> preparing;
    // Until its result has been taken, which is after the preparation itself has finished.
    bool awaitingPreparation = false;
    QString preparingUuid;
    QPointer<QNetworkReply> pendingReply;
};
