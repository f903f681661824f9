#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QMimeData;
class QPixmap;
class QUrl;

// File handling for images entering and leaving the editor, free of widgets.
namespace ImageFiles {

// Files larger than this are refused by "Send any file".
inline constexpr qint64 MaxSendFileSize = 104857600;

// The largest picture the editor takes: the area of 16384 × 16384 pixels (a wall of screens, a
// large scan), no side beyond the raster painter's coordinate range.
inline constexpr qint64 MaxPicturePixels = qint64(16384) * 16384;
inline constexpr int MaxPictureSide = 32767;
bool fitsEditor(const QSize &size);

// The first free name among folder/screenshot1.png … screenshot301.png (the last one when all
// exist). The folder ends with a separator.
QString suggestedSavePath(const QString &folder);

// Writes PNG data atomically: the file at path is replaced only once the new data is complete, so
// a full disk or a crash never leaves a truncated file or destroys the one it replaces. Two cases
// are written in place instead: an existing file in a folder that refuses new files, and a target
// that is no regular file (a device), which a rename would replace. On failure errorText gets the
// cause as the system names it ("No space left on device").
bool savePng(const QImage &image, const QString &path, QString *errorText = nullptr);

// Writes a hand-off file for another program in a shared temporary folder at stem + ".png", or at
// stem + "_2.png", "_3.png", … when that name is taken: created exclusively (never following or
// replacing an existing file or link) and readable by the owner only. Returns the path written,
// empty when nothing could be written.
QString writeHandOffPng(const QImage &image, const QString &stem);

// An image read for the editor. The image is null when the data is missing, broken or refused
// for its size; size is the declared or decoded size, the one that was too large on a refusal.
struct LoadedImage
{
    QImage image;
    bool tooLarge = false;
    QSize size;
};

// The size rule is checked on the declared size before anything is decoded, so a small file that
// declares a huge picture costs no memory.
LoadedImage loadImage(const QString &path);
LoadedImage decodeImage(const QByteArray &bytes);
// The picture on the clipboard: encoded data from another program is decoded under the same rule.
LoadedImage pastedImage(const QMimeData *data);

// The editor's floor for added pictures: more than 9 pixels in each direction.
bool isUsablePicture(const QPixmap &pixmap);

// Dropped files open only when their complete suffix is one of the image suffixes, in any case.
bool isDroppableImage(const QUrl &url);

} // namespace ImageFiles
