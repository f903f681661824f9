#pragma once

#include <QString>

class QImage;
class QPixmap;
class QUrl;

// File handling for images entering and leaving the editor, free of widgets.
namespace ImageFiles {

// Files larger than this are refused by "Send any file".
inline constexpr qint64 MaxSendFileSize = 104857600;

// The first free name among folder/screenshot1.png … screenshot301.png (the last one when all
// exist). The folder ends with a separator.
QString suggestedSavePath(const QString &folder);

// Writes PNG data atomically: the file at path is replaced only once the new data is complete, so
// a full disk or a crash never leaves a truncated file or destroys the one it replaces.
bool savePng(const QImage &image, const QString &path, QString *errorText = nullptr);

// Writes a hand-off file for another program in a shared temporary folder: created exclusively
// (never following or replacing an existing file or link) and readable by the owner only.
bool writeHandOffPng(const QImage &image, const QString &path);

// An image file read whole; null when it is missing, empty, truncated or not an image.
QImage loadImage(const QString &path);

// The editor's floor for added pictures: more than 9 pixels in each direction.
bool isUsablePicture(const QPixmap &pixmap);

// Dropped files open only when their complete suffix is exactly one of the image suffixes.
bool isDroppableImage(const QUrl &url);

} // namespace ImageFiles
