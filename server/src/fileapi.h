#pragma once

// Uploads as the program sends them, the list of an account's last files, deleting one's own
// files, and the public links of files and thumbnails.

#include "httpmessage.h"

struct ServiceContext;

class FileApi
{
public:
    explicit FileApi(const ServiceContext &context) : context(context) {}

    HttpResponse upload(const HttpRequest &request);
    HttpResponse lastFiles(const HttpRequest &request);
    HttpResponse remove(const HttpRequest &request);
    // `name` is what follows /f/ or /t/: the public id, perhaps with an extension.
    HttpResponse serveFile(const QString &name, const HttpRequest &request);
    HttpResponse serveThumbnail(const QString &name, const HttpRequest &request);

    static HttpResponse tooLarge(qint64 limit);
    // What is kept of a file name the program sent: the last path segment, no control
    // characters, at most 255 characters.
    static QString displayName(const QString &sent);

private:
    QString fileLink(const HttpRequest &request, const QString &publicId,
                     const QString &originalName) const;

    const ServiceContext &context;
};
