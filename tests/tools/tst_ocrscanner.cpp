#include "../support/localservice.h"
#include "../support/selfsigned.h"
#include "ocrscanner.h"
#include "serviceapi.h"
#include "settingskeys.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QLabel>
#include <QMessageAuthenticationCode>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSslKey>
#include <QSslServer>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

const QString Uuid = QStringLiteral("{1b4e28ba-2fa1-11d2-883f-0016d3cca427}");

struct FormPart
{
    QByteArray disposition;
    QByteArray contentType;
    QByteArray body;
    int headerCount = 0;
};

// The parts of a multipart/form-data body, in the order they were sent.
QList<FormPart> formParts(const RecordedRequest &request)
{
    const QByteArray type = request.headers.value("content-type");
    QByteArray boundary = type.mid(type.indexOf("boundary=") + 9);
    if (boundary.startsWith('"'))
        boundary = boundary.mid(1, boundary.size() - 2);
    const QByteArray delimiter = "--" + boundary;
    QList<FormPart> parts;
    qsizetype at = request.body.indexOf(delimiter);
    while (at >= 0) {
        at += delimiter.size();
        if (request.body.mid(at, 2) == "--")
            break;
        at += 2; // CRLF after the delimiter
        const qsizetype headersEnd = request.body.indexOf("\r\n\r\n", at);
        const qsizetype next = request.body.indexOf("\r\n" + delimiter, headersEnd);
        if (headersEnd < 0 || next < 0)
            break;
        FormPart part;
        for (const QByteArray &line : request.body.mid(at, headersEnd - at).split('\n')) {
            const qsizetype colon = line.indexOf(':');
            const QByteArray name = line.left(colon).trimmed().toLower();
            ++part.headerCount;
            if (name == "content-disposition")
                part.disposition = line.mid(colon + 1).trimmed();
            else if (name == "content-type")
                part.contentType = line.mid(colon + 1).trimmed();
        }
        part.body = request.body.mid(headersEnd + 4, next - headersEnd - 4);
        parts << part;
        at = next + 2;
    }
    return parts;
}

// What the service checks before it reads the picture.
bool signatureValid(const QList<FormPart> &parts)
{
    if (parts.size() != 5)
        return false;
    const QByteArray message = parts[0].body + '|' + parts[1].body + '|' + parts[2].body;
    return QMessageAuthenticationCode::hash(message, ServiceApi::ocrSigningKey(),
                                            QCryptographicHash::Sha256)
               .toHex() == parts[3].body;
}

// A reading service: it answers only correctly signed requests.
ScriptedReply verifyingService(const RecordedRequest &request)
{
    if (!signatureValid(formParts(request)))
        return {403, "application/json", R"({"error":"bad signature"})", false};
    return ScriptedReply::json({{"success", "true"}, {"text", "Hello\nworld"}});
}

// 400 × 300 logical pixels at ratio 1: mid-grey with a black bar at (60, 50).
QPixmap frozenDesktop()
{
    QImage desktop(400, 300, QImage::Format_RGB32);
    desktop.fill(QColor(128, 128, 128));
    QPainter(&desktop).fillRect(60, 50, 40, 20, Qt::black);
    return QPixmap::fromImage(desktop);
}

QString statusText(const OcrScanner &scanner)
{
    for (const QLabel *label : scanner.findChildren<QLabel *>())
        if (label->objectName() != QLatin1String("sectionTitle"))
            return label->text();
    return {};
}

bool copyEnabled(const OcrScanner &scanner)
{
    return scanner.findChild<QToolButton *>()->isEnabled();
}

} // namespace

class OcrScannerTest : public QObject
{
    Q_OBJECT

    LocalService service;

    // Frames a region of the frozen desktop, both corners included, as a user would.
    bool selectRegion(OcrScanner &scanner, QPoint p1, QPoint p2)
    {
        scanner.startScan();
        if (!QTest::qWaitFor([&] { return scanner.openSelector(); }))
            return false;
        return QMetaObject::invokeMethod(scanner.openSelector(), "regionSelected",
                                         Q_ARG(QPoint, p1), Q_ARG(QPoint, p2));
    }

private slots:
    void initTestCase() { QVERIFY(service.listen()); }

    void init()
    {
        ServiceApi::setApiBaseUrl(service.baseUrl());
        settingsStore().setValue(SettingsKeys::Uuid, Uuid);
        ServiceApi::setTransferTimeoutMs(120000);
        service.setScript(verifyingService);
    }

    void regionIsSentSignedAsGreyFramedTripledPng()
    {
        OcrScanner scanner;
        scanner.setDesktopGrabber(frozenDesktop);
        const int before = service.requestCount();
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        // 200 × 100 pixels from (50, 40): the bar lies at (10, 10) inside it.
        QVERIFY(selectRegion(scanner, QPoint(50, 40), QPoint(249, 139)));
        QVERIFY(scanner.isVisible());
        QCOMPARE(statusText(scanner), QStringLiteral("Recognizing..."));
        QTRY_COMPARE(statusText(scanner), QStringLiteral("Done"));

        QCOMPARE(service.requestCount(), before + 1);
        const RecordedRequest request = service.requests().last();
        QCOMPARE(request.method, QByteArray("POST"));
        QCOMPARE(request.path, QByteArray("/ocr.php"));
        QVERIFY(request.query.isEmpty());
        const QList<FormPart> parts = formParts(request);
        QCOMPARE(parts.size(), 5);
        const QByteArrayList names = {"uuid", "ts", "nonce", "signature"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(parts[i].disposition, "form-data; name=\"" + names[i] + '"');
            QCOMPARE(parts[i].headerCount, 1);
        }
        QCOMPARE(parts[4].disposition,
                 QByteArray(R"(form-data; name="file"; filename="quorvel.png")"));
        QCOMPARE(parts[4].contentType, QByteArray("image/png"));
        QCOMPARE(parts[0].body, Uuid.toUtf8());
        QVERIFY(qAbs(parts[1].body.toLongLong() - now) <= 2);
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{8}(-[0-9a-f]{4}){3}-[0-9a-f]{12}$"))
                    .match(QString::fromLatin1(parts[2].body))
                    .hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{64}$"))
                    .match(QString::fromLatin1(parts[3].body))
                    .hasMatch());
        QVERIFY(signatureValid(parts));

        const QImage png = QImage::fromData(parts[4].body, "PNG");
        QCOMPARE(png.size(), QSize(744, 444));
        QVERIFY(png.isGrayscale());
        // White border of 24 × 3 pixels, then the grey, then the bar at (24 + 10) × 3.
        QCOMPARE(qGray(png.pixel(0, 0)), 255);
        QCOMPARE(qGray(png.pixel(743, 443)), 255);
        QCOMPARE(qGray(png.pixel(30, 222)), 255);
        QCOMPARE(qGray(png.pixel(400, 300)), 128);
        QCOMPARE(qGray(png.pixel(102 + 30, 102 + 15)), 0);

        QCOMPARE(scanner.findChild<QPlainTextEdit *>()->toPlainText(),
                 QStringLiteral("Hello\nworld"));
        QVERIFY(copyEnabled(scanner));
        QTest::mouseClick(scanner.findChild<QToolButton *>(), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Hello\nworld"));
        QCOMPARE(statusText(scanner), QStringLiteral("Copied to clipboard"));
    }

    void requestsInOneSecondDifferInNonceAndSignature()
    {
        OcrScanner scanner;
        const QImage region = frozenDesktop().toImage().copy(0, 0, 50, 50);
        // Start early in a second so that both requests fall into it.
        QTRY_VERIFY_WITH_TIMEOUT(QDateTime::currentMSecsSinceEpoch() % 1000 < 300, 2000);
        const int before = service.requestCount();
        for (int i = 0; i < 2; ++i) {
            scanner.recognize(region);
            QTRY_COMPARE(statusText(scanner), QStringLiteral("Done"));
        }
        const QList<RecordedRequest> requests = service.requests().mid(before);
        QCOMPARE(requests.size(), 2);
        const QList<FormPart> first = formParts(requests[0]);
        const QList<FormPart> second = formParts(requests[1]);
        QCOMPARE(first[1].body, second[1].body);
        QVERIFY(first[2].body != second[2].body);
        QVERIFY(first[3].body != second[3].body);
    }

    void replyRules_data()
    {
        QTest::addColumn<int>("httpStatus");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("server"); // answers, silent or endless
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("copyable");
        QTest::addColumn<QString>("warning");

        QTest::newRow("boolean success is no success")
            << 200 << QByteArray(R"({"success":true,"text":"x"})") << "answers"
            << "OCR returned an invalid response"
            << "" << false << "^OCR invalid response: ";
        QTest::newRow("success with empty text")
            << 200 << QByteArray(R"({"success":"true","text":""})") << "answers"
            << "No text was recognized"
            << "" << false << "";
        QTest::newRow("api error wins over the http error")
            << 403 << QByteArray(R"({"error":"bad signature"})") << "answers"
            << "OCR API error [403]: bad signature"
            << "" << false << "^OCR API error \" \\[403\\]\"";
        QTest::newRow("markup of the service stays text")
            << 200 << QByteArray(R"({"error":"<b>busy</b>","success":"true"})") << "answers"
            << "OCR API error [200]: <b>busy</b>"
            << "" << false << "^OCR API error ";
        QTest::newRow("http error without api error")
            << 500 << QByteArray("<html>oops</html>") << "answers"
            << "OCR request failed (401): The service answered 500 Scripted"
            << "" << false << "^OCR network error: InternalServerError ";
        QTest::newRow("silent server")
            << 200 << QByteArray() << "silent"
            << "OCR request failed (5): The service did not answer in time."
            << "" << false << "^OCR network error: OperationCanceledError ";
        QTest::newRow("endless reply")
            << 200 << QByteArray() << "endless"
            << "OCR request failed (5): The service's reply is too large"
            << "" << false << "^OCR network error: OperationCanceledError ";
        QTest::newRow("success") << 200 << QByteArray(R"({"success":"true","text":"Łódź, Київ"})")
                                 << "answers"
                                 << "Done"
                                 << "Łódź, Київ" << true << "";
    }

    void replyRules()
    {
        QFETCH(int, httpStatus);
        QFETCH(QByteArray, body);
        QFETCH(QString, server);
        QFETCH(QString, status);
        QFETCH(QString, text);
        QFETCH(bool, copyable);
        QFETCH(QString, warning);

        ServiceApi::setTransferTimeoutMs(300);
        service.setScript([&](const RecordedRequest &) {
            if (server == QLatin1String("silent"))
                return ScriptedReply::stall();
            if (server == QLatin1String("endless"))
                return ScriptedReply::endlessBody();
            return ScriptedReply{httpStatus, "application/json", body, false};
        });
        if (!warning.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
        OcrScanner scanner;
        scanner.recognize(frozenDesktop().toImage().copy(0, 0, 50, 50));
        QTRY_VERIFY(!scanner.isRequestRunning());
        QVERIFY2(statusText(scanner).startsWith(status), qPrintable(statusText(scanner)));
        if (!status.endsWith(QLatin1String(": ")))
            QCOMPARE(statusText(scanner), status);
        QCOMPARE(scanner.findChild<QPlainTextEdit *>()->toPlainText(), text);
        QCOMPARE(copyEnabled(scanner), copyable);
        for (const QLabel *label : scanner.findChildren<QLabel *>())
            QCOMPARE(label->textFormat() == Qt::PlainText,
                     label->objectName() != QLatin1String("sectionTitle"));
    }

    void untrustedCertificateFailsTheRequest()
    {
        QSslServer tls;
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        config.setLocalCertificate(QSslCertificate(QByteArray(SelfSigned::Certificate)));
        config.setPrivateKey(QSslKey(QByteArray(SelfSigned::Key), QSsl::Ec));
        tls.setSslConfiguration(config);
        QVERIFY(tls.listen(QHostAddress::LocalHost));
        ServiceApi::setApiBaseUrl(QStringLiteral("https://127.0.0.1:%1").arg(tls.serverPort()));

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^OCR TLS error: "));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^OCR network error: SslHandshakeFailedError "));
        OcrScanner scanner;
        scanner.recognize(frozenDesktop().toImage().copy(0, 0, 50, 50));
        QTRY_VERIFY(!scanner.isRequestRunning());
        QVERIFY2(statusText(scanner).startsWith(QLatin1String("OCR request failed (6): ")),
                 qPrintable(statusText(scanner)));
        QVERIFY(!copyEnabled(scanner));
    }

    // A large region is made ready off the GUI thread: the dialog shows at once that it is busy,
    // and its event loop keeps turning until the request goes out.
    void largeRegionIsPreparedWhileTheDialogAnswers()
    {
        QImage region(2400, 1400, QImage::Format_RGB32);
        for (int y = 0; y < region.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(region.scanLine(y));
            for (int x = 0; x < region.width(); ++x)
                line[x] = qRgb(x % 256, y % 256, (x ^ y) % 256);
        }
        int turns = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&turns] { ++turns; });
        ticker.start(5);
        int turnsUntilSent = -1;
        service.setScript([&turns, &turnsUntilSent](const RecordedRequest &request) {
            turnsUntilSent = turns;
            return verifyingService(request);
        });
        OcrScanner scanner;
        auto *scan = scanner.findChild<QPushButton *>();
        scanner.recognize(region);
        QVERIFY(scanner.isVisible());
        QCOMPARE(statusText(scanner), QStringLiteral("Recognizing..."));
        QVERIFY(!scan->isEnabled());
        QVERIFY(scanner.isRequestRunning());
        QTRY_COMPARE_WITH_TIMEOUT(statusText(scanner), QStringLiteral("Done"), 30000);
        QVERIFY(scan->isEnabled());
        QVERIFY2(turnsUntilSent > 20, qPrintable(QString::number(turnsUntilSent)));
    }

    void missingUuidSendsNothing()
    {
        settingsStore().remove(SettingsKeys::Uuid);
        OcrScanner scanner;
        scanner.setDesktopGrabber(frozenDesktop);
        const int before = service.requestCount();
        QVERIFY(selectRegion(scanner, QPoint(0, 0), QPoint(99, 99)));
        QCOMPARE(statusText(scanner), QStringLiteral("Quorvel UUID is missing"));
        QVERIFY(!scanner.isRequestRunning());
        QVERIFY(scanner.isVisible());
        QTest::qWait(100);
        QCOMPARE(service.requestCount(), before);
    }

    void cancelHidesTinyRegionReturnsAndRunningRequestRefusesScan()
    {
        OcrScanner scanner;
        scanner.setDesktopGrabber(frozenDesktop);
        const int before = service.requestCount();
        scanner.show();
        QVERIFY(selectRegion(scanner, QPoint(-1, -1), QPoint(-1, -1)));
        QVERIFY(!scanner.isVisible());
        QVERIFY(!scanner.openSelector());

        QVERIFY(selectRegion(scanner, QPoint(10, 10), QPoint(19, 100)));
        QVERIFY(scanner.isVisible());
        QVERIFY(statusText(scanner).isEmpty());
        QCOMPARE(service.requestCount(), before);

        service.setScript([](const RecordedRequest &) { return ScriptedReply::stall(); });
        ServiceApi::setTransferTimeoutMs(1500);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^OCR network error: "));
        scanner.recognize(frozenDesktop().toImage());
        QVERIFY(scanner.isRequestRunning());
        scanner.startScan();
        QTest::qWait(400);
        QVERIFY(!scanner.openSelector());
        QVERIFY(scanner.isVisible());
        QTRY_VERIFY(!scanner.isRequestRunning());
    }
};

QTEST_MAIN(OcrScannerTest)
#include "tst_ocrscanner.moc"
