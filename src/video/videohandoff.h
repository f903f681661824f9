#pragma once

#include <QCoreApplication>
#include <QString>

class UploadProgress;

// Where a finished video goes: a copy the user names on the Desktop, or the uploader.
class VideoHandOff
{
    Q_DECLARE_TR_FUNCTIONS(VideoHandOff)

public:
    // The Desktop's Quorvel folder, made when missing.
    static QString saveFolder();
    // The first free "videostreamN.ext" in the folder, counting from 1.
    static QString proposedSavePath(const QString &folder, const QString &extension);
    // The save dialog, opened on the proposed path; empty when cancelled.
    static QString askSavePath(const QString &proposedPath, const QString &extension);
    // Copies the video to the chosen path, with the extension appended unless the name ends
    // with it (in any case). A copy never replaces a file that is there: false then.
    static bool saveCopy(const QString &video, QString chosenPath, const QString &extension);
    // A popup that uploads the video, placed in the desktop's bottom-right corner; null when it
    // cannot read the file (it has told the user why). It has no parent, so that it outlives the
    // window that handed the file over. The video is removed once uploaded; when the upload fails
    // or is cancelled it is kept on the Desktop as the next free "videostreamN" and the user is
    // told where.
    static UploadProgress *startUpload(const QString &video);
};
