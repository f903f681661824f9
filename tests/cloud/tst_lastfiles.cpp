#include "../app/modalresponder.h"
#include "../support/pngfixtures.h"
#include "cloudtest.h"

#include "browser.h"
#include "flowlayout.h"
#include "imagelabel.h"
#include "lastfiles.h"
#include "serviceapi.h"
#include "servicepicture.h"
#include "settingskeys.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QJsonArray>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QStandardPaths>
#include <QTest>

// The uploaded-files window against a local server, and the flow of its tiles.
class LastFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(serveLocally(service));
        QSettings settings = settingsStore();
        settings.setValue(SettingsKeys::Token, QStringLiteral("tok"));
        settings.setValue(SettingsKeys::UserId, QStringLiteral("42"));
        Browser::setOpener([this](const QUrl &url) { opened << url; });
    }

    void tilesShowTheFiles()
    {
        const QString base = service.baseUrl();
        serveFiles(QJsonArray{
            QJsonObject{{"id", "1"},
                        {"image", base + "/thumb/wide.png"},
                        {"link", "https://l/1"},
                        {"original_filename", "abcdefghijklmnopqrstu"}},
            QJsonObject{{"id", "2"},
                        {"image", base + "/thumb/bomb.png"},
                        {"link", "https://l/2"},
                        {"original_filename", "<b>twenty chars</b>!"}},
            QJsonObject{{"id", "3"}, {"image", base + "/thumb/none.png"}, {"link", "https://l/3"}},
        });
        LastFiles window;
        window.show();
        QTRY_COMPARE(tiles(window).size(), 3);
        // The thumbnails may still be on their way: look the list request up by its path.
        RecordedRequest list;
        for (const RecordedRequest &request : service.requests()) {
            if (request.path == "/get_last_user_files.php")
                list = request;
        }
        QCOMPARE(list.path, QByteArray("/get_last_user_files.php"));
        QCOMPARE(list.query, QByteArray("token=tok&user_id=42&lang=en"));

        QCOMPARE(nameOf(tile(window, "1")), QStringLiteral("abcdefghijklmnopqrst..."));
        QLabel *twenty = tile(window, "2")->findChildren<QLabel *>().value(0);
        QCOMPARE(twenty->text(), QStringLiteral("<b>twenty chars</b>!"));
        QCOMPARE(twenty->textFormat(), Qt::PlainText);
        QCOMPARE(tile(window, "3")->findChildren<QLabel *>().size(), 1); // the thumbnail alone

        // The wide picture fills the thumbnail's width; a header declaring a huge picture is not
        // decoded, and a missing one keeps the placeholder too.
        auto *wide = tile(window, "1")->findChild<ImageLabel *>();
        QTRY_VERIFY(!wide->pixmap().isNull());
        QCOMPARE(wide->pixmap().size(), QSize(200, 100));
        for (const char *id : {"2", "3"}) {
            auto *thumbnail = tile(window, id)->findChild<ImageLabel *>();
            QVERIFY(thumbnail->pixmap().isNull());
            QVERIFY(thumbnail->movie());
        }

        QTest::mouseClick(button(tile(window, "1"), "Copy link"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("https://l/1"));
    }

    // Only addresses on the web are fetched as thumbnails or opened as links: "file:", "data:",
    // "javascript:" or a custom scheme from the service would reach this machine's files or
    // other programs.
    void onlyWebThumbnailsAndLinks()
    {
        const QString local = QDir::temp().filePath(QStringLiteral("local.png"));
        QFile picture(local);
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.write(pngBytes(QSize(40, 40), Qt::blue));
        picture.close();
        const QString data = QStringLiteral("data:image/png;base64,") +
                             QString::fromLatin1(pngBytes(QSize(40, 40), Qt::red).toBase64());
        serveFiles(QJsonArray{
            QJsonObject{{"id", "web"},
                        {"image", service.baseUrl() + "/thumb/wide.png"},
                        {"link", "https://l/web"}},
            QJsonObject{{"id", "file"}, {"image", "file://" + local}, {"link", "file:///etc/"}},
            QJsonObject{{"id", "data"}, {"image", data}, {"link", "javascript:alert(1)"}},
            QJsonObject{{"id", "custom"},
                        {"image", "quorvel-test://thumb.png"},
                        {"link", "quorvel-test://open"}},
        });
        opened.clear();
        LastFiles window;
        window.show();
        QTRY_COMPARE(tiles(window).size(), 4);
        QTRY_VERIFY(!tile(window, "web")->findChild<ImageLabel *>()->pixmap().isNull());
        QTest::qWait(200);
        for (const char *id : {"web", "file", "data", "custom"}) {
            auto *thumbnail = tile(window, id)->findChild<ImageLabel *>();
            if (qstrcmp(id, "web") != 0)
                QVERIFY2(thumbnail->pixmap().isNull(), id);
            QTest::mouseClick(thumbnail, Qt::LeftButton);
        }
        QCOMPARE(opened, QList<QUrl>{QUrl("https://l/web")});
    }

    void removeAsksFirst()
    {
        serveFiles(QJsonArray{QJsonObject{{"id", "7"}, {"link", "https://l/7"}},
                              QJsonObject{{"id", "8"}, {"link", "https://l/8"}}});
        LastFiles window;
        QTRY_COMPARE(tiles(window).size(), 2);
        QTest::qWait(100);
        const int before = service.requestCount();

        ModalResponder no({answer(QMessageBox::No)});
        QTest::mouseClick(button(tile(window, "7"), "Remove"), Qt::LeftButton);
        QVERIFY(no.finished());
        QTest::qWait(200);
        QCOMPARE(service.requestCount(), before);
        QCOMPARE(tiles(window).size(), 2);

        ModalResponder yes({answer(QMessageBox::Yes)});
        QTest::mouseClick(button(tile(window, "7"), "Remove"), Qt::LeftButton);
        QVERIFY(yes.finished());
        QCOMPARE(tiles(window).size(), 1);
        QTRY_COMPARE(service.requestCount(), before + 1);
        const RecordedRequest removal = service.requests().constLast();
        QCOMPARE(removal.path, QByteArray("/delete_user_files.php"));
        QCOMPARE(removal.query, QByteArray("token=tok&user_id=42&lang=en&file_id=7"));
    }

    void emptyListShowsTheMessage()
    {
        serveFiles(QJsonArray{});
        LastFiles window;
        window.show();
        auto *empty = findLabel(window, QStringLiteral("You are don't upload any file yet."));
        QVERIFY(empty);
        QTRY_VERIFY(empty->isVisible());
        QVERIFY(tiles(window).isEmpty());
    }

    void refusalAndNetworkErrorAreReported_data()
    {
        QTest::addColumn<bool>("networkError");
        QTest::addColumn<QString>("message");
        QTest::newRow("refused") << false
                                 << "You are not logined\nTo take full advantage of the program, "
                                    "please log in.";
        QTest::newRow("no server") << true << "Load data failed!\nError: Connection refused";
    }

    void refusalAndNetworkErrorAreReported()
    {
        QFETCH(bool, networkError);
        QFETCH(QString, message);
        service.setScript([](const RecordedRequest &) {
            return ScriptedReply::raw(R"({"success":true,"photos":[{"id":"1"}]})");
        });
        if (networkError)
            ServiceApi::setApiBaseUrl(QStringLiteral("http://127.0.0.1:1"));
        ModalResponder responder({acknowledge()});
        LastFiles window;
        QTRY_VERIFY(responder.finished());
        ServiceApi::setApiBaseUrl(service.baseUrl());
        QCOMPARE(responder.messages, QStringList{message});
        QVERIFY(tiles(window).isEmpty());
    }

    void servicePicturesAreDecodedWithinLimits_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("decoded");
        QTest::newRow("thumbnail") << PngFixtures::solidPng(QSize(200, 150)) << true;
        QTest::newRow("huge declared size")
            << PngFixtures::declaringPng(QSize(60000, 60000)) << false;
        QTest::newRow("just above the pixel limit")
            << PngFixtures::declaringPng(QSize(4097, 4096)) << false;
        QTest::newRow("too many bytes")
            << PngFixtures::solidPng(QSize(8, 8)) + QByteArray(ServicePicture::MaxBytes, '\0')
            << false;
        QTest::newRow("no picture") << QByteArray("<html>") << false;
    }

    void servicePicturesAreDecodedWithinLimits()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, decoded);
        QCOMPARE(!ServicePicture::decode(body).isNull(), decoded);
    }

    void flowLayoutWrapsRows_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QList<int>>("itemWidths");
        QTest::addColumn<QList<QPoint>>("positions");
        QTest::addColumn<int>("height");
        QTest::newRow("two per row at 450")
            << 450 << QList<int>{210, 210, 210} << QList<QPoint>{{0, 0}, {216, 0}, {0, 56}} << 106;
        // The row ends at the rectangle's right edge, its last pixel: a row needs one to spare.
        QTest::newRow("fits with a pixel to spare")
            << 427 << QList<int>{210, 210} << QList<QPoint>{{0, 0}, {216, 0}} << 50;
        QTest::newRow("exact width wraps")
            << 426 << QList<int>{210, 210} << QList<QPoint>{{0, 0}, {0, 56}} << 106;
        QTest::newRow("too wide stays alone, unshrunk")
            << 300 << QList<int>{500, 100} << QList<QPoint>{{0, 0}, {0, 56}} << 106;
    }

    void flowLayoutWrapsRows()
    {
        QFETCH(int, width);
        QFETCH(QList<int>, itemWidths);
        QFETCH(QList<QPoint>, positions);
        QFETCH(int, height);
        FlowLayout layout(0, 6, 6);
        for (int itemWidth : itemWidths)
            layout.addItem(new QSpacerItem(itemWidth, 50));
        QCOMPARE(layout.heightForWidth(width), height);
        layout.setGeometry(QRect(0, 0, width, height));
        for (int i = 0; i < layout.count(); ++i) {
            QCOMPARE(layout.itemAt(i)->geometry().topLeft(), positions[i]);
            QCOMPARE(layout.itemAt(i)->geometry().width(), itemWidths[i]);
        }
        QCOMPARE(layout.minimumSize(),
                 QSize(*std::max_element(itemWidths.begin(), itemWidths.end()), 50));
        QVERIFY(!layout.itemAt(layout.count()));
        QVERIFY(!layout.takeAt(-1));
    }

private:
    void serveFiles(const QJsonArray &photos)
    {
        const QByteArray wide = pngBytes(QSize(400, 200), Qt::blue);
        service.setScript([photos, wide](const RecordedRequest &request) {
            if (request.path == "/thumb/wide.png")
                return ScriptedReply::raw(wide, "image/png");
            if (request.path == "/thumb/bomb.png")
                return ScriptedReply::raw(PngFixtures::declaringPng(QSize(60000, 60000)),
                                          "image/png");
            if (request.path == "/get_last_user_files.php")
                return ScriptedReply::json({{"success", "true"}, {"photos", photos}});
            return ScriptedReply{404, "text/plain", "none", false};
        });
    }

    static QList<QFrame *> tiles(const LastFiles &window)
    {
        QList<QFrame *> found;
        const QList<QFrame *> frames = window.findChildren<QFrame *>();
        for (QFrame *frame : frames) {
            if (frame->objectName().startsWith(QLatin1String("FileItem")))
                found << frame;
        }
        return found;
    }
    static QFrame *tile(const LastFiles &window, const char *id)
    {
        return window.findChild<QFrame *>(QStringLiteral("FileItem") + QLatin1String(id));
    }
    static QString nameOf(QFrame *tile)
    {
        const QList<QLabel *> labels = tile->findChildren<QLabel *>();
        return labels.isEmpty() ? QString() : labels.first()->text();
    }
    static QPushButton *button(QFrame *tile, const QString &text)
    {
        const QList<QPushButton *> buttons = tile->findChildren<QPushButton *>();
        for (QPushButton *b : buttons) {
            if (b->text() == text)
                return b;
        }
        return nullptr;
    }
    static QLabel *findLabel(const QWidget &window, const QString &text)
    {
        const QList<QLabel *> labels = window.findChildren<QLabel *>();
        for (QLabel *label : labels) {
            if (label->text() == text)
                return label;
        }
        return nullptr;
    }
    static ModalResponder::Step answer(QMessageBox::StandardButton choice)
    {
        return [choice](QWidget *widget) {
            qobject_cast<QMessageBox *>(widget)->button(choice)->click();
        };
    }

    LocalService service;
    QList<QUrl> opened;
};

QTEST_MAIN(LastFilesTest)
#include "tst_lastfiles.moc"
