#pragma once

// What the cloud tests share: the service client pointed at a local server, and test pictures.

#include "../support/localservice.h"

#include "serviceapi.h"

#include <QBuffer>
#include <QImage>
#include <QStandardPaths>

// Starts the server and sends every request there, with the test's own settings and folders.
inline bool serveLocally(LocalService &service)
{
    QStandardPaths::setTestModeEnabled(true);
    if (!service.listen())
        return false;
    ServiceApi::setApiBaseUrl(service.baseUrl());
    return true;
}

inline QByteArray pngBytes(const QSize &size, Qt::GlobalColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}
