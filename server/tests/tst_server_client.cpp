#include "testserver.h"

#include "../../tests/app/modalresponder.h"
#include "lastfiles.h"
#include "loginform.h"
#include "ocrscanner.h"
#include "serviceapi.h"
#include "session.h"
#include "settings.h"
#include "settingskeys.h"
#include "uploadprogress.h"

#include <QClipboard>
#include <QDateTime>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

// The program's own cloud classes against the real server, in the order a person uses them:
// log in, upload a capture and open its link, see it listed, delete it, read text by OCR, and
// log out.
class ServerClientTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QUORVEL_PREPARE_TEST_STORE();
        server = std::make_unique<TestServer>();
        QStandardPaths::setTestModeEnabled(true);
        settingsStore().clear();
        settingsStore().setValue(SettingsKeys::Uuid,
                                 QStringLiteral("{0f8fad5b-d9cb-469f-a165-70867728950e}"));
        ServiceApi::setApiBaseUrl(server->baseUrl());
        userId = server->addUser("ann@example.org", "ann-secret");
    }

    void logsInWithEmailAndPassword()
    {
        QPointer<LoginForm> form = new LoginForm;
        QSignalSpy success(form.data(), &LoginForm::authSuccessful);
        form->show();
        form->findChild<QLineEdit *>("edit_email")->setText("ann@example.org");
        form->findChild<QLineEdit *>("edit_password")->setText("ann-secret");
        QTest::mouseClick(form->findChild<QPushButton *>("bt_login"), Qt::LeftButton);
        QTRY_COMPARE(success.count(), 1);
        QCOMPARE(settingsStore().value(SettingsKeys::UserId).toString(), QString::number(userId));
        QCOMPARE(settingsStore().value(SettingsKeys::Token).toString().size(), 64);
        delete form;
    }

    void accountTabShowsTheAvatar()
    {
        Settings dialog;
        dialog.showAccountTab();
        auto *icon = dialog.findChild<QLabel *>("user_icon");
        QTRY_VERIFY(!server->store.userById(userId)->avatarId.isEmpty());
        const QImage served =
            QImage::fromData(send("GET", QUrl(server->baseUrl() + "/a/" +
                                              server->store.userById(userId)->avatarId + ".png"))
                                 .body,
                             "PNG");
        QVERIFY(!served.isNull());
        QTRY_COMPARE(icon->pixmap().toImage().convertToFormat(served.format()), served);
    }

    void uploadsACaptureAndItsLinkServesTheBytes()
    {
        QImage capture(320, 200, QImage::Format_RGB32);
        capture.fill(Qt::darkMagenta);
        const QString path = files.filePath("capture.png");
        QVERIFY(capture.save(path));
        QGuiApplication::clipboard()->clear();

        QPointer<UploadProgress> popup = new UploadProgress;
        QVERIFY(popup->upload(path));
        popup->show();
        QTRY_VERIFY(QGuiApplication::clipboard()->text().startsWith(server->baseUrl() + "/f/"));
        link = QGuiApplication::clipboard()->text();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(send("GET", QUrl(link)).body, file.readAll());
        delete popup;
    }

    void listsTheUploadAndDeletesIt()
    {
        const QString id = QUrl(link).path().mid(3, 22);
        LastFiles window;
        window.show();
        QTRY_VERIFY(window.findChild<QFrame *>("FileItem" + id));

        ModalResponder yes({[](QWidget *box) {
            qobject_cast<QMessageBox *>(box)->button(QMessageBox::Yes)->click();
        }});
        window.bt_remove_click(id);
        QVERIFY(yes.finished());
        QTRY_VERIFY(!server->store.file(id));
        QCOMPARE(send("GET", QUrl(link)).status, 404);
    }

    void readsRenderedTextByOcr()
    {
        QImage region(420, 70, QImage::Format_RGB32);
        region.fill(Qt::white);
        QPainter painter(&region);
        painter.setPen(Qt::black);
        painter.setFont(QFont("DejaVu Sans", 26));
        painter.drawText(region.rect(), Qt::AlignCenter, "Quorvel reads this");
        painter.end();

        OcrScanner scanner;
        scanner.recognize(region);
        QTRY_VERIFY_WITH_TIMEOUT(!scanner.isRequestRunning(), 30000);
        QCOMPARE(scanner.findChild<QPlainTextEdit *>()->toPlainText(),
                 QStringLiteral("Quorvel reads this"));
    }

    void logoutRevokesTheSession()
    {
        const QString token = settingsStore().value(SettingsKeys::Token).toString();
        Session::logout();
        QTRY_VERIFY(!server->store.userForToken(Credentials::secretHash(token),
                                                QDateTime::currentSecsSinceEpoch()));
    }

private:
    std::unique_ptr<TestServer> server;
    QTemporaryDir files;
    qint64 userId = 0;
    QString link;
};

QTEST_MAIN(ServerClientTest)
#include "tst_server_client.moc"
