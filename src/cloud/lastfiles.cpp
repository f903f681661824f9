#include "lastfiles.h"

#include "flowlayout.h"
#include "imagelabel.h"
#include "plainmessage.h"
#include "serviceapi.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QLabel>
#include <QMessageBox>
#include <QMovie>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

const QString TilePrefix = QStringLiteral("FileItem");

QPushButton *tileButton(const QString &text, const QString &icon)
{
    auto *button = new QPushButton(QIcon(icon), text);
    button->setFlat(true);
    button->setMaximumSize(90, 25);
    button->setIconSize(QSize(15, 15));
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral(
        "QPushButton{border: 1px solid grey; padding: 3px;}QPushButton:hover{border: 1px solid "
        "black;}QPushButton:pressed{border: 1px solid green;}"));
    return button;
}

} // namespace

LastFiles::LastFiles(QWidget *parent)
    : QWidget(parent), loadingOverlay(coveringLabel()), emptyLabel(coveringLabel()),
      flowLayout(new FlowLayout(-1, -1, -1)), scrollArea(new QScrollArea(this)),
      network(new QNetworkAccessManager(this))
{
    // Queued: a reply may open a message box, and the tray may close this window meanwhile; its
    // network manager must not go inside the network library's own call.
    connect(network, &QNetworkAccessManager::finished, this, &LastFiles::loadJsonFinished,
            Qt::QueuedConnection);
    setObjectName(QStringLiteral("LastFiles"));
    setWindowTitle(tr("Last your files"));
    setMinimumSize(520, 300);
    resize(780, 500);

    auto *movie = new QMovie(QStringLiteral(":/loading.gif"), QByteArray(), loadingOverlay);
    loadingOverlay->setMovie(movie);
    movie->start();
    emptyLabel->setText(tr("You are don't upload any file yet."));
    emptyLabel->hide();

    auto *content = new QWidget;
    content->setLayout(flowLayout);
    scrollArea->setWidget(content);
    scrollArea->setWidgetResizable(true);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    resize(740, 500);
    loadFiles();
}

QLabel *LastFiles::coveringLabel()
{
    auto *label = new QLabel(this);
    label->setGeometry(0, 0, 780, 500);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("background-color: rgba(255, 255, 255, 220);"));
    return label;
}

QString LastFiles::shownName(const QString &name)
{
    return name.size() > 20 ? name.left(20) + QStringLiteral("...") : name;
}

void LastFiles::loadFiles()
{
    const QList<QFrame *> frames = findChildren<QFrame *>();
    for (QFrame *frame : frames) {
        if (frame->objectName().contains(TilePrefix))
            frame->deleteLater();
    }
    delete layout();
    scrollArea->hide();
    emptyLabel->hide();
    loadingOverlay->show();
    loadingOverlay->raise();

    ServiceApi::get(network, ServiceApi::lastFilesUrl());
}

void LastFiles::loadJsonFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    // The message boxes come last: the window may be closed while they are open.
    if (reply->error() != QNetworkReply::NoError) {
        loadingOverlay->hide();
        showPlainMessage(tr("Load data failed!\nError: ") + ServiceApi::errorText(reply));
        return;
    }
    const QJsonObject answer = ServiceApi::parseReply(reply->readAll());
    if (!ServiceApi::isSuccess(answer)) {
        loadingOverlay->hide();
        showPlainMessage(tr("You are not logined") + QLatin1Char('\n') +
                         tr("To take full advantage of the program, please log in."));
        return;
    }
    const QJsonArray photos = answer.value(QStringLiteral("photos")).toArray();
    if (photos.isEmpty()) {
        scrollArea->hide();
        emptyLabel->show();
        emptyLabel->raise();
        loadingOverlay->hide();
        return;
    }
    for (const QJsonValue &photo : photos)
        flowLayout->addWidget(buildTile(photo.toObject()));
    showTiles();
}

QWidget *LastFiles::buildTile(const QJsonObject &entry)
{
    const QString id = ServiceApi::text(entry, QStringLiteral("id"));
    const QString link = ServiceApi::text(entry, QStringLiteral("link"));
    const QString name = ServiceApi::text(entry, QStringLiteral("original_filename"));

    auto *tile = new QFrame;
    tile->setObjectName(TilePrefix + id);
    tile->setStyleSheet(QStringLiteral("border: 1px solid grey;border-radius: 10px;"));
    auto *column = new QVBoxLayout(tile);
    column->setAlignment(Qt::AlignHCenter);
    if (!name.isEmpty()) {
        auto *nameLabel = new QLabel;
        nameLabel->setTextFormat(Qt::PlainText);
        nameLabel->setText(shownName(name));
        nameLabel->setStyleSheet(QStringLiteral("border: none;"));
        nameLabel->setAlignment(Qt::AlignCenter);
        column->addWidget(nameLabel);
    }
    auto *thumbnail = new ImageLabel;
    thumbnail->setStyleSheet(QStringLiteral("border: none;"));
    thumbnail->setFixedSize(200, 200);
    thumbnail->setLink(link);
    thumbnail->loadImage(
        QUrl(ServiceApi::text(entry, QStringLiteral("image")), QUrl::TolerantMode));
    column->addWidget(thumbnail);

    auto *buttons = new QHBoxLayout;
    QPushButton *copy = tileButton(tr("Copy link"), QStringLiteral(":/svg/svg/copy.svg"));
    QPushButton *remove = tileButton(tr("Remove"), QStringLiteral(":/svg/svg/interface.svg"));
    connect(copy, &QPushButton::clicked, this, [this, link] { bt_copy_click(link); });
    connect(remove, &QPushButton::clicked, this, [this, id] { bt_remove_click(id); });
    buttons->addWidget(copy);
    buttons->addWidget(remove);
    column->addLayout(buttons);
    return tile;
}

void LastFiles::showTiles()
{
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(scrollArea);
    scrollArea->show();
    loadingOverlay->hide();
}

void LastFiles::bt_copy_click(const QString &value)
{
    QGuiApplication::clipboard()->setText(value);
}

void LastFiles::bt_remove_click(const QString &value)
{
    // The question runs an event loop of its own, in which the tray may close this window.
    const QPointer<LastFiles> alive(this);
    if (QMessageBox::question(nullptr, tr("Remove file!"), tr("Are you sure?"),
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    // The user said yes: the file goes even when the window went meanwhile.
    ServiceApi::sendAndForget(ServiceApi::deleteFileUrl(value));
    if (alive)
        delete findChild<QFrame *>(TilePrefix + value);
}

void LastFiles::closeEvent(QCloseEvent *event)
{
    emit closeWindow();
    event->accept();
}

void LastFiles::resizeEvent(QResizeEvent *event)
{
    loadingOverlay->resize(size());
    emptyLabel->resize(size());
    QWidget::resizeEvent(event);
}
