#include "commandline.h"
#include "desktoprequest.h"
#include "singleinstance.h"

#include "../support/stalesocket.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using Action = DesktopRequest::Action;
Q_DECLARE_METATYPE(Action)

// How a start reads its command line, what the running instance accepts over its socket, and
// what a start does with whatever it finds where the socket belongs.
class DesktopStartTest : public QObject
{
    Q_OBJECT

private slots:
    void commandLineNamesTheRequest_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QStringList>("files");

        QTest::newRow("nothing") << QStringList{} << Action::Start << QStringList{};
        QTest::newRow("an action")
            << QStringList{QStringLiteral("--ocr")} << Action::Ocr << QStringList{};
        QTest::newRow("open, choosing")
            << QStringList{QStringLiteral("--open")} << Action::Open << QStringList{};
        QTest::newRow("open with files")
            << QStringList{QStringLiteral("--open"), QStringLiteral("a.png"),
                           QStringLiteral("sub/../b.png")}
            << Action::Open << QStringList{QStringLiteral("a.png"), QStringLiteral("b.png")};
        QTest::newRow("files alone, as a file manager starts us")
            << QStringList{QStringLiteral("a.png")} << Action::Open
            << QStringList{QStringLiteral("a.png")};
    }

    void commandLineNamesTheRequest()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(QStringList, files);
        QTemporaryDir folder;
        QDir(folder.path()).mkdir(QStringLiteral("sub"));
        for (const QString &name : {QStringLiteral("a.png"), QStringLiteral("b.png")}) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const CommandLine::Parsed parsed =
            CommandLine::parse(QStringList{QStringLiteral("quorvel")} + arguments, folder.path());
        QCOMPARE(parsed.outcome, CommandLine::Outcome::Run);
        QCOMPARE(parsed.request.action, action);
        QStringList absolute;
        for (const QString &file : files)
            absolute << folder.filePath(file);
        QCOMPARE(parsed.request.files, absolute);
    }

    void commandLineRefusesWhatIsNoPicture_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("named");
        QTest::newRow("a missing file")
            << QStringList{QStringLiteral("--open"), QStringLiteral("gone.png")}
            << QStringLiteral("gone.png");
        QTest::newRow("a folder") << QStringList{QStringLiteral("--open"), QStringLiteral("sub")}
                                  << QStringLiteral("sub");
        QTest::newRow("a folder alone, as a file manager may hand it")
            << QStringList{QStringLiteral("a.png"), QStringLiteral("sub")} << QStringLiteral("sub");
    }

    void commandLineRefusesWhatIsNoPicture()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        QTemporaryDir folder;
        QDir(folder.path()).mkdir(QStringLiteral("sub"));
        QFile file(folder.filePath(QStringLiteral("a.png")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const CommandLine::Parsed parsed =
            CommandLine::parse(QStringList{QStringLiteral("quorvel")} + arguments, folder.path());
        QCOMPARE(parsed.outcome, CommandLine::Outcome::Fail);
        QVERIFY2(parsed.text.contains(named), qPrintable(parsed.text));
        QVERIFY(parsed.request.files.isEmpty());
    }

    void socketRequestsRoundTrip()
    {
        DesktopRequest open;
        open.action = Action::Open;
        open.files = QStringList{QStringLiteral("/tmp/a b.png"), QStringLiteral("/tmp/ü.png")};
        QCOMPARE(DesktopRequest::decode(open.encode()), open);
        for (Action action : DesktopRequest::namedActions()) {
            DesktopRequest request;
            request.action = action;
            QCOMPARE(DesktopRequest::decode(request.encode()), request);
        }
    }

    void socketRefusesWhatWeNeverSend_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("not JSON") << QByteArray("region\n");
        QTest::newRow("unknown action") << QByteArray(R"({"action":"format","files":[]})");
        QTest::newRow("relative path") << QByteArray(R"({"action":"open","files":["a.png"]})");
        QTest::newRow("files for a capture")
            << QByteArray(R"({"action":"region","files":["/tmp/a.png"]})");
        QTest::newRow("file that is no text") << QByteArray(R"({"action":"open","files":[7]})");
    }

    void socketRefusesWhatWeNeverSend()
    {
        QFETCH(QByteArray, line);
        QVERIFY(!DesktopRequest::decode(line));
    }

    void startClaimsTheSocketOnlyWhereItMay_data()
    {
        QTest::addColumn<QString>("inTheWay");
        QTest::addColumn<bool>("becomesPrimary");
        QTest::newRow("nothing") << QString() << true;
        QTest::newRow("a crashed instance's socket") << QStringLiteral("stale socket") << true;
        QTest::newRow("a file") << QStringLiteral("file") << false;
        QTest::newRow("a link to a stale socket") << QStringLiteral("link") << false;
        QTest::newRow("another user's socket") << QStringLiteral("foreign socket") << false;
        // Busy, hung or stopped: it holds the socket all the same, and two instances must not run.
        QTest::newRow("an instance that does not answer") << QStringLiteral("silent") << false;
    }

    void startClaimsTheSocketOnlyWhereItMay()
    {
        QFETCH(QString, inTheWay);
        QFETCH(bool, becomesPrimary);
        QTemporaryDir folder;
        SingleInstance instance(folder.path());
        const QString path = instance.socketPath();
        if (inTheWay == QLatin1String("stale socket")) {
            QVERIFY(leaveStaleSocket(path));
        } else if (inTheWay == QLatin1String("file")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("someone else's");
        } else if (inTheWay == QLatin1String("link")) {
            QVERIFY(leaveStaleSocket(folder.filePath(QStringLiteral("elsewhere"))));
            QVERIFY(QFile::link(folder.filePath(QStringLiteral("elsewhere")), path));
        } else if (inTheWay == QLatin1String("foreign socket")) {
            QVERIFY(leaveStaleSocket(path));
            if (::lchown(QFile::encodeName(path).constData(), 65534, 65534) != 0)
                QSKIP("giving a file to another user needs root");
        }
        // Connections queue up on it, but nobody ever reads or answers them.
        const ListeningSocket silent(inTheWay == QLatin1String("silent") ? path : QString());
        if (inTheWay == QLatin1String("silent"))
            QVERIFY(silent.isListening());

        struct stat before
        {
        };
        const bool wasThere = ::lstat(QFile::encodeName(path).constData(), &before) == 0;
        const SingleInstance::Role role = instance.claim(DesktopRequest());
        struct stat status
        {
        };
        QCOMPARE(::lstat(QFile::encodeName(path).constData(), &status), 0);
        if (!becomesPrimary) {
            QCOMPARE(role, SingleInstance::Role::Failed);
            QVERIFY2(instance.error().contains(path) || inTheWay == QLatin1String("silent"),
                     qPrintable(instance.error()));
            QVERIFY2(wasThere && status.st_ino == before.st_ino && status.st_uid == before.st_uid,
                     "what was in the way was replaced");
            return;
        }
        QCOMPARE(role, SingleInstance::Role::Primary);
        QVERIFY(S_ISSOCK(status.st_mode));
        QCOMPARE(status.st_mode & 0077, 0u);
    }
};

QTEST_GUILESS_MAIN(DesktopStartTest)
#include "tst_desktopstart.moc"
