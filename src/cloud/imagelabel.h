#pragma once

#include <QLabel>
#include <QPixmap>

class QNetworkReply;

// A thumbnail from the service, with a loading animation until it arrives; a click opens its link.
class ImageLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ImageLabel(QWidget *parent = nullptr);

    void loadImage(const QUrl &url);
    void setLink(const QString &value) { link = value; }

public slots:
    virtual void loadImageFinished(QNetworkReply *reply);
    void copyFile(Qt::DropAction action);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap picture;
    QString link;
};
