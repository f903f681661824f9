#include "appidentity.h"
#include "desktoprequest.h"

#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const int IconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256, 512};

QString appId()
{
    return QLatin1String(AppId);
}

// Everything an install puts down, relative to the root it installs into: the program and what
// the desktop looks for, nothing that only building or testing needs.
QStringList expectedFiles()
{
    QStringList files{
        QStringLiteral("usr/bin/quorvel"),
        QStringLiteral("usr/share/applications/%1.desktop").arg(appId()),
        QStringLiteral("usr/share/metainfo/%1.metainfo.xml").arg(appId()),
        QStringLiteral("usr/share/icons/hicolor/scalable/apps/%1.svg").arg(appId()),
    };
    for (int size : IconSizes)
        files << QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(appId());
    files.sort();
    return files;
}

QStringList filesUnder(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

struct Ran
{
    int exitCode = -1;
    QString output;
};

Ran run(const QString &program, const QStringList &arguments,
        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, QString::fromLocal8Bit(process.readAll())};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAll())};
}

// The groups of a desktop entry file, each a map of its keys.
QMap<QString, QMap<QString, QString>> desktopEntry(const QString &path)
{
    QMap<QString, QMap<QString, QString>> groups;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return groups;
    QString group;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('[')))
            group = line.mid(1, line.size() - 2);
        else if (line.contains(QLatin1Char('=')))
            groups[group][line.section(QLatin1Char('='), 0, 0)] = line.section(QLatin1Char('='), 1);
    }
    return groups;
}

} // namespace

// Installs the build into a folder of its own as a package build would, and builds the Debian
// package from the same rules: the files land where the desktop looks for them, the desktop's own
// validators accept them, and the unpacked package runs.
class InstallTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(root.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DESTDIR"), root.path());
        // As `make install` does it.
        const Ran installed =
            run(QStringLiteral(QUORVEL_CMAKE),
                {QStringLiteral("--install"), QStringLiteral(QUORVEL_BUILD_DIR),
                 QStringLiteral("--prefix"), QStringLiteral("/usr"), QStringLiteral("--strip")},
                environment);
        QVERIFY2(installed.exitCode == 0, qPrintable(installed.output));
    }

    void filesLandWhereTheDesktopLooks()
    {
        QCOMPARE(filesUnder(root.path()), expectedFiles());
        QVERIFY(QFileInfo(root.filePath(QStringLiteral("usr/bin/quorvel"))).isExecutable());
        for (int size : IconSizes) {
            const QImage icon(
                root.filePath(QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/%2.png")
                                  .arg(size)
                                  .arg(appId())));
            QCOMPARE(icon.size(), QSize(size, size));
        }
    }

    void desktopValidatorsAccept_data()
    {
        QTest::addColumn<QString>("validator");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("file");
        QTest::newRow("desktop entry")
            << QStringLiteral("desktop-file-validate") << QStringList{}
            << QStringLiteral("usr/share/applications/%1.desktop").arg(appId());
        QTest::newRow("metainfo")
            << QStringLiteral("appstreamcli")
            << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net")}
            << QStringLiteral("usr/share/metainfo/%1.metainfo.xml").arg(appId());
    }

    void desktopValidatorsAccept()
    {
        QFETCH(QString, validator);
        QFETCH(QStringList, options);
        QFETCH(QString, file);
        const QString program = QStandardPaths::findExecutable(validator);
        if (program.isEmpty())
            QSKIP("the validator is not installed (scripts/setup installs it)");
        const Ran checked = run(program, options << root.filePath(file));
        // Hints are advice: two main categories are what the entry means to have.
        static const QRegularExpression complaint(QStringLiteral("\\b(error|warning):"));
        QVERIFY2(checked.exitCode == 0 && !complaint.match(checked.output).hasMatch(),
                 qPrintable(checked.output));
    }

    void desktopActionsAreTheCommandLineActions()
    {
        const auto entry = desktopEntry(
            root.filePath(QStringLiteral("usr/share/applications/%1.desktop").arg(appId())));
        const QMap<QString, QString> main = entry.value(QStringLiteral("Desktop Entry"));
        QCOMPARE(main.value(QStringLiteral("Exec")), QStringLiteral("quorvel %F"));
        QCOMPARE(main.value(QStringLiteral("Icon")), appId());
        // One main category, or menus list the program once under each.
        static const QStringList mainCategories{"AudioVideo", "Development", "Education", "Game",
                                                "Graphics",   "Network",     "Office",    "Science",
                                                "Settings",   "System",      "Utility"};
        const QStringList categories =
            main.value(QStringLiteral("Categories")).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        QCOMPARE(std::count_if(
                     categories.begin(), categories.end(),
                     [](const QString &category) { return mainCategories.contains(category); }),
                 1);
        QCOMPARE(main.value(QStringLiteral("MimeType")),
                 QStringLiteral("image/png;image/jpeg;image/bmp;image/gif;"));

        QStringList names;
        for (DesktopRequest::Action action : DesktopRequest::namedActions())
            names << QLatin1String(DesktopRequest::name(action));
        QCOMPARE(main.value(QStringLiteral("Actions")),
                 names.join(QLatin1Char(';')) + QLatin1Char(';'));
        for (const QString &name : names) {
            const QMap<QString, QString> action =
                entry.value(QStringLiteral("Desktop Action ") + name);
            QCOMPARE(action.value(QStringLiteral("Exec")), QStringLiteral("quorvel --") + name);
            QVERIFY2(!action.value(QStringLiteral("Name[de]")).isEmpty(), qPrintable(name));
        }
    }

    void installedProgramRuns() { checkRuns(root.path()); }

    // `make` configures the build folder afresh when CMAKE_FLAGS differ from the ones it was
    // configured with, and leaves it alone when they are the same.
    void makeConfiguresAgainWhenTheFlagsChange()
    {
        QTemporaryDir folder;
        const QString build = folder.filePath(QStringLiteral("build"));
        const auto configureCommand = [&](const QString &flags) {
            const Ran dryRun =
                run(QStringLiteral("make"),
                    {QStringLiteral("--dry-run"), QStringLiteral("-C"),
                     QStringLiteral(QUORVEL_SOURCE_DIR), "BUILD=" + build, "CMAKE_FLAGS=" + flags,
                     build + QStringLiteral("/build.ninja")});
            return dryRun.output.split(QLatin1Char('\n')).filter(QStringLiteral("cmake "));
        };
        QCOMPARE(configureCommand(QStringLiteral("-DA=1")).size(), 1);
        QFile configured(build + QStringLiteral("/build.ninja"));
        QVERIFY(configured.open(QIODevice::WriteOnly));
        configured.close();
        QVERIFY(configureCommand(QStringLiteral("-DA=1")).isEmpty());
        const QStringList again = configureCommand(QStringLiteral("-DA=2"));
        QCOMPARE(again.size(), 1);
        QVERIFY2(again.first().contains(QLatin1String("--fresh")) &&
                     again.first().endsWith(QLatin1String("-DA=2")),
                 qPrintable(again.first()));
    }

    void packageCarriesTheInstallAndItsDependencies()
    {
        for (const char *tool : {"dpkg-deb", "dpkg-shlibdeps", "dpkg-query"}) {
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP("needs dpkg-dev (scripts/setup installs it)");
        }
        QTemporaryDir output;
        const Ran packed =
            run(QStringLiteral(QUORVEL_CPACK),
                {QStringLiteral("--config"), QStringLiteral(QUORVEL_BUILD_DIR "/CPackConfig.cmake"),
                 QStringLiteral("-B"), output.path()});
        QVERIFY2(packed.exitCode == 0, qPrintable(packed.output));
        const QStringList debs =
            QDir(output.path())
                .entryList({QStringLiteral("quorvel_%1_*.deb").arg(QLatin1String(AppVersion))},
                           QDir::Files);
        QVERIFY2(debs.size() == 1, qPrintable(packed.output));
        const QString deb = output.filePath(debs.first());

        const Ran listed = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), deb});
        QStringList contents;
        for (const QString &line : listed.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QString path = line.section(QLatin1Char(' '), -1);
            if (!path.endsWith(QLatin1Char('/')))
                contents << path.mid(2); // "./usr/..."
        }
        contents.sort();
        QCOMPARE(contents, expectedFiles());

        // Each dependency is a Debian package that this Debian has; the plugin packages that no
        // linker sees must be named by hand.
        const QString depends = run(QStringLiteral("dpkg-deb"),
                                    {QStringLiteral("--field"), deb, QStringLiteral("Depends")})
                                    .output.trimmed();
        QStringList packages;
        for (const QString &dependency : depends.split(QLatin1Char(','), Qt::SkipEmptyParts))
            packages << dependency.trimmed().section(QLatin1Char(' '), 0, 0);
        for (const char *needed :
             {"libqt6widgets6", "libqt6network6", "libqt6multimedia6", "libqt6svg6",
              "libavformat59", "libxcb1", "gstreamer1.0-plugins-base", "gstreamer1.0-plugins-good"})
            QVERIFY2(packages.contains(QLatin1String(needed)), qPrintable(depends));
        for (const QString &package : std::as_const(packages)) {
            const Ran known = run(QStringLiteral("dpkg-query"),
                                  {QStringLiteral("-W"), QStringLiteral("-f=${Status}"), package});
            QVERIFY2(known.output.contains(QLatin1String("install ok installed")),
                     qPrintable(package + QStringLiteral(": ") + known.output));
        }

        QTemporaryDir unpacked;
        const Ran extracted =
            run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), deb, unpacked.path()});
        QVERIFY2(extracted.exitCode == 0, qPrintable(extracted.output));
        checkRuns(unpacked.path());
    }

private:
    // Runs, and carries no debugging information: that stays in the build folder.
    static void checkRuns(const QString &installRoot)
    {
        const QString program = installRoot + QStringLiteral("/usr/bin/quorvel");
        const Ran version = run(program, {QStringLiteral("--version")});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.output, QStringLiteral("260\n"));
        const Ran sections = run(QStringLiteral("readelf"), {QStringLiteral("-S"), program});
        QCOMPARE(sections.exitCode, 0);
        QVERIFY2(!sections.output.contains(QLatin1String(".debug_")) &&
                     !sections.output.contains(QLatin1String(".symtab")),
                 "the program was installed unstripped");
    }

    QTemporaryDir root;
};

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
