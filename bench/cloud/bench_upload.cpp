// Uploads files of growing size through the upload popup to a local server on its own thread and
// prints the bytes sent and the time until the link is on the clipboard.

#include "../../tests/support/localservice.h"

#include "serviceapi.h"
#include "uploadprogress.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    LocalService service;
    if (!service.listenInThread())
        return 1;
    ServiceApi::setApiBaseUrl(service.baseUrl());
    QTemporaryDir dir;

    for (const qint64 size : {qint64(1) << 20, qint64(10) << 20, qint64(100) << 20}) {
        const QString link = QStringLiteral("https://files.test/%1").arg(size);
        const QByteArray reply = "{\"success\":\"true\",\"fileurl\":\"" + link.toUtf8() + "\"}";
        service.setScript([reply](const RecordedRequest &) { return ScriptedReply::raw(reply); });
        // Random bytes: nothing on the way can make them smaller.
        QByteArray content(size, Qt::Uninitialized);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(content.data()),
                                      content.size() / 4);
        const QString path = dir.filePath(QStringLiteral("upload-%1.bin").arg(size));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != size)
            return 1;
        file.close();

        QElapsedTimer clock;
        clock.start();
        auto *popup = new UploadProgress;
        if (!popup->upload(path))
            return 1;
        // A plain event loop: waiting in steps would throttle the hand-over of the body to the
        // network thread.
        QEventLoop loop;
        QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &loop, [&] {
            if (QGuiApplication::clipboard()->text() == link)
                loop.quit();
        });
        loop.exec();
        const double seconds = clock.nsecsElapsed() / 1e9;
        const qint64 sent = service.requests().constLast().body.size();
        printf("upload %4lld MiB: %lld body bytes, %.3f s to the link, %.1f MiB/s\n", size >> 20,
               sent, seconds, (sent / 1048576.0) / seconds);
        delete popup;
    }
    return 0;
}
