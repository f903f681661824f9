#pragma once

#include "desktopcopy.h"

#include <QDialog>
#include <QNetworkReply>
#include <QPointer>

#include <QSystemTrayIcon>

namespace Ui {
class UploadProgress;
}

// Uploads one file to the service and is at once the small popup that shows how it goes. On
// success the file's public link is put on the clipboard. It fades out and deletes itself.
class UploadProgress : public QDialog
{
    Q_OBJECT

public:
    explicit UploadProgress(QWidget *parent = nullptr);
    ~UploadProgress() override;

    // For a file written only to be uploaded (a capture from the editor, a finished recording):
    // it is removed once the service has it, and every other ending (refusal, network error,
    // cancel, quitting) keeps it in the Desktop folder under the first free name of the template
    // and tells the user where.
    void setSaveCopyOnFailure(bool save, const QString &nameTemplate = DesktopCopy::CaptureName)
    {
        saveCopyOnFailure = save;
        desktopName = nameTemplate;
    }
    void setTrayIcon(QSystemTrayIcon *icon) { trayIcon = icon; }

    // False, with a message and no request, when the file cannot be read.
    bool upload(const QString &path);

signals:
    void uploadDone();

private slots:
    void on_bt_close_clicked();
    void requestFinished();
    void uploadProgress(qint64 done, qint64 total);
    void uploadError(QNetworkReply::NetworkError error);
    void onFadeOutFinished();
    void on_bt_cancel_clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void showFinished(bool success);
    void startFadeOut();
    // The first ending counts: a file written for the upload is removed after a success and kept
    // after any other ending. keepFile returns the line that says where it is kept, empty when
    // there is nothing to say (the user's own file, or an ending already settled).
    void settleSuccess();
    QString keepFile();
    // The upload is cut off by the popup's end or the program's: the file is kept silently.
    void interrupt();
    QString failureMessage(const QString &response);

    Ui::UploadProgress *ui;
    QString filePath;
    bool saveCopyOnFailure = false;
    QString desktopName = DesktopCopy::CaptureName;
    bool settled = false;
    bool cancelled = false;
    QPointer<QSystemTrayIcon> trayIcon;
    QPointer<QNetworkReply> reply;
    int pressX = 0;
    int pressY = 0;
};
