#include "imagelabel.h"

#include "browser.h"
#include "serviceapi.h"
#include "servicepicture.h"

#include <QDebug>
#include <QMovie>
#include <QNetworkAccessManager>
#include <QNetworkReply>

ImageLabel::ImageLabel(QWidget *parent) : QLabel(parent)
{
    setMaximumSize(200, 200);
    setAlignment(Qt::AlignCenter);
    auto *movie = new QMovie(QStringLiteral(":/loading.gif"), QByteArray(), this);
    setMovie(movie);
    movie->start();
    setCursor(Qt::PointingHandCursor);
}

void ImageLabel::loadImage(const QUrl &url)
{
    // Anything but a picture on the web keeps the placeholder.
    if (!ServiceApi::isWebUrl(url))
        return;
    auto *manager = new QNetworkAccessManager(this);
    connect(manager, &QNetworkAccessManager::finished, this, &ImageLabel::loadImageFinished);
    // Stops a body that could never be a thumbnail before it fills the memory.
    ServiceApi::get(manager, url, ServicePicture::MaxBytes);
}

void ImageLabel::loadImageFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError)
        return;
    const QImage image = ServicePicture::decode(reply->readAll());
    if (image.isNull())
        return;
    picture = QPixmap::fromImage(image);
    setPixmap(picture.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void ImageLabel::copyFile(Qt::DropAction action)
{
    qDebug() << "ImageLabel drop action:" << action;
}

void ImageLabel::mousePressEvent(QMouseEvent *) {}

void ImageLabel::mouseReleaseEvent(QMouseEvent *)
{
    const QUrl url(link, QUrl::TolerantMode);
    if (ServiceApi::isWebUrl(url))
        Browser::open(url);
}
