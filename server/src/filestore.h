#pragma once

// The storage folder: uploaded files and their thumbnails under names the server makes, and the
// area where request bodies land while they arrive. No path here is ever built from user input.

#include "multipart.h"

#include <QByteArray>
#include <QString>

class QIODevice;

class FileStore
{
public:
    explicit FileStore(const QString &root);

    // Makes the folders and clears bodies left by a server that was killed mid-request.
    bool prepare(QString *error);

    // A fresh file name in the incoming area, for one request body.
    QString newIncomingPath() const;
    // Marks the open incoming file behind `descriptor` as being received until it is closed, so
    // that no server sharing the folder clears it at its start.
    static void claimIncoming(int descriptor);
    static bool isPublicId(const QString &id);
    QString filePath(const QString &publicId) const;
    QString thumbnailPath(const QString &publicId) const;

    // Writes the part's content as the file of publicId, whole or not at all.
    bool store(QIODevice &body, const Multipart::Part &part, const QString &publicId,
               QString *error) const;
    // A PNG at most `edge` pixels on its longer side; false for what is no picture, or a picture
    // of more than maxPixels (not decoded at all then).
    bool makeThumbnail(const QString &publicId, qint64 maxPixels, int edge = 200) const;
    void remove(const QString &publicId) const;

    // What the file is served as: pictures by their content, other types only from a list that
    // a browser cannot run as a page on this host; the rest as plain bytes.
    QByteArray servedType(const QString &publicId, const QByteArray &claimed) const;
    static bool showsInline(const QByteArray &type);

private:
    QString root;
};
