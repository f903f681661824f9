#include "videohandoff.h"

#include "uploadprogress.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

QString VideoHandOff::saveFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) +
                           QStringLiteral("/Quorvel/");
    QDir().mkpath(folder);
    return folder;
}

QString VideoHandOff::proposedSavePath(const QString &folder, const QString &extension)
{
    for (int n = 1;; ++n) {
        const QString path = folder + QStringLiteral("videostream%1.%2").arg(n).arg(extension);
        if (!QFile::exists(path))
            return path;
    }
}

QString VideoHandOff::askSavePath(const QString &proposedPath, const QString &extension)
{
    QFileDialog dialog(nullptr, tr("Save As"), proposedPath);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(extension == QLatin1String("mp4") ? tr("MP4 Files (*.mp4)")
                                                           : tr("GIF Files (*.gif)"));
    dialog.setDefaultSuffix(extension);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.raise();
    dialog.activateWindow();
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool VideoHandOff::saveCopy(const QString &video, QString chosenPath, const QString &extension)
{
    if (!chosenPath.endsWith(QLatin1Char('.') + extension, Qt::CaseInsensitive))
        chosenPath += QLatin1Char('.') + extension;
    return QFile::copy(video, chosenPath);
}

UploadProgress *VideoHandOff::startUpload(const QString &video)
{
    auto *popup = new UploadProgress;
    // The recorder is closed by then: the popup is all that holds the video.
    popup->setSaveCopyOnFailure(true, QStringLiteral("videostream%1.") + QFileInfo(video).suffix());
    if (const QScreen *primary = QGuiApplication::primaryScreen()) {
        const QSize desktop = primary->virtualSize();
        popup->move(desktop.width() - 320, desktop.height() - 120);
    }
    if (!popup->upload(video)) {
        delete popup;
        return nullptr;
    }
    return popup;
}
