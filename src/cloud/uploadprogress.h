#pragma once

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

    // For captures the editor wrote to a temporary file: a failed upload keeps them on the Desktop.
    void setSaveCopyOnFailure(bool save) { saveCopyOnFailure = save; }
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
    // The text of a failure; a capture is moved to the Desktop first, and the text says where
    // the file is when that fails.
    QString failureMessage(const QString &response);

    Ui::UploadProgress *ui;
    QString filePath;
    bool saveCopyOnFailure = false;
    bool cancelled = false;
    QPointer<QSystemTrayIcon> trayIcon;
    QPointer<QNetworkReply> reply;
    int pressX = 0;
    int pressY = 0;
};
