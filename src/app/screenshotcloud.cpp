// The main window's doors to the service: the upload popups and the uploaded-files window.

#include "screenshot.h"

#include "lastfiles.h"
#include "settings.h"
#include "settingskeys.h"
#include "uploadprogress.h"

bool Screenshot::handOffUpload(const QString &path, QPoint popupPosition, bool saveCopyOnFailure)
{
    auto *popup = new UploadProgress(this);
    popup->setSaveCopyOnFailure(saveCopyOnFailure);
    popup->setTrayIcon(trayIcon);
    connect(popup, &UploadProgress::uploadDone, this,
            saveCopyOnFailure ? &Screenshot::uploadDone : &Screenshot::uploadFileDone);
    popup->move(popupPosition);
    if (!popup->upload(path)) {
        delete popup;
        return false;
    }
    ++activeUploads;
    popup->show();
    popup->setFocus();
    popup->raise();
    return true;
}

void Screenshot::openAllFiles()
{
    if (!isLoggedIn()) {
        openSettings();
        if (settingsDialog)
            settingsDialog->showAccountTab();
        requestAnalyticsView(QStringLiteral("ec=OpenWindow&ea=LastFiles&el=NotLogined"));
        return;
    }
    if (settingsOpen)
        closeSettings();
    if (lastFiles) {
        lastFiles->loadFiles();
    } else {
        lastFiles = new LastFiles;
        connect(lastFiles, &LastFiles::closeWindow, this, &Screenshot::lastFilesCloseWindow);
    }
    lastFiles->show();
    lastFiles->raise();
    requestAnalyticsView(QStringLiteral("ec=OpenWindow&ea=LastFiles&el=Logined"));
}

void Screenshot::lastFilesCloseWindow()
{
    if (!lastFiles)
        return;
    disconnect(lastFiles, &LastFiles::closeWindow, this, &Screenshot::lastFilesCloseWindow);
    lastFiles->deleteLater();
    lastFiles = nullptr;
}
