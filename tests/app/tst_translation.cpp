#include "translation.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

void addShippedLanguages()
{
    QTest::addColumn<QString>("file");
    for (const char *name : {"English.en.qm", "German.de.qm", "Russian.ru.qm", "Ukrainian.ua.qm"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

} // namespace

class Translation : public QObject
{
    Q_OBJECT

private slots:
    void everyShippedLanguageLoadsFromTheResources_data() { addShippedLanguages(); }
    void everyShippedLanguageLoadsFromTheResources()
    {
        QFETCH(QString, file);
        QTranslator translator;
        QVERIFY(loadAndInstallTranslation(translator, file));
        QVERIFY(QCoreApplication::removeTranslator(&translator));
    }

    void theShippedFilesCarryTheirTexts_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("quit");
        QTest::newRow("German") << "German.de.qm"
                                << "Be&enden";
        QTest::newRow("Russian") << "Russian.ru.qm" << QString::fromUtf8("В&ыход");
        QTest::newRow("Ukrainian") << "Ukrainian.ua.qm" << QString::fromUtf8("Ви&йти");
        QTest::newRow("English") << "English.en.qm"
                                 << "&Quit";
    }
    void theShippedFilesCarryTheirTexts()
    {
        QFETCH(QString, file);
        QFETCH(QString, quit);
        QTranslator translator;
        QVERIFY(loadAndInstallTranslation(translator, file));
        QCOMPARE(QCoreApplication::translate("Screenshot", "&Quit"), quit);
        QVERIFY(QCoreApplication::removeTranslator(&translator));
    }

    void everyLanguageCarriesTheEditorTooltipsAndMessages_data() { addShippedLanguages(); }
    void everyLanguageCarriesTheEditorTooltipsAndMessages()
    {
        QFETCH(QString, file);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/i18n/") + file));
        const auto tooltip = [](const char *text) {
            return QStringLiteral("<html><head/><body><p>%1</p></body></html>")
                .arg(QLatin1String(text));
        };
        const QString texts[] = {
            tooltip("Open image file and add to the bottom of the main picture (8)"),
            tooltip("Choose color"),
            tooltip("Decrease size"),
            tooltip("Increase size"),
            QStringLiteral("Image is too large to open (%1 × %2 pixels)!"),
        };
        for (const QString &text : texts)
            QVERIFY2(!translator.translate("Screenshot", text.toUtf8().constData()).isEmpty(),
                     qPrintable(text));
    }

    void aFileBesideTheExecutableLoadsWhenTheResourcesLackIt()
    {
        const QString folder =
            QCoreApplication::applicationDirPath() + QStringLiteral("/languages");
        QDir().mkpath(folder);
        const QString target = folder + QStringLiteral("/French.fr.qm");
        QFile::remove(target);
        QVERIFY(QFile::copy(QStringLiteral(":/i18n/German.de.qm"), target));
        QTranslator translator;
        QVERIFY(loadAndInstallTranslation(translator, QStringLiteral("French.fr.qm")));
        QVERIFY(QCoreApplication::removeTranslator(&translator));
        QFile::remove(target);
    }

    // The sources brought up to date with the code: a text added without its translation shows up
    // as an unfinished or empty entry.
    void everyTextOfTheCodeIsTranslated_data()
    {
        QTest::addColumn<QString>("file");
        for (const char *name : {"German.de.ts", "Russian.ru.ts", "Ukrainian.ua.ts"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void everyTextOfTheCodeIsTranslated()
    {
        QFETCH(QString, file);
        QTemporaryDir dir;
        const QString sources = QStringLiteral(QUORVEL_SOURCE_DIR "/src");
        const QString copy = dir.filePath(file);
        QVERIFY(QFile::copy(sources + "/resources/i18n/" + file, copy));
        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        lupdate.start(QStringLiteral("/usr/lib/qt6/bin/lupdate"),
                      {"-silent", "-locations", "none", "-no-obsolete", sources, "-ts", copy});
        QVERIFY(lupdate.waitForFinished(60000));
        QCOMPARE(lupdate.exitCode(), 0);

        QFile updated(copy);
        QVERIFY(updated.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&updated);
        QString source;
        QStringList missing;
        int messages = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                ++messages;
                const bool unfinished = !xml.attributes().value("type").isEmpty();
                if (unfinished || xml.readElementText().isEmpty())
                    missing << source;
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(messages > 100);
        QCOMPARE(missing, QStringList());
    }

    void aMissingFileIsNotInstalled()
    {
        QTranslator translator;
        QVERIFY(!loadAndInstallTranslation(translator, QStringLiteral("Klingon.tlh.qm")));
        QVERIFY(!QCoreApplication::removeTranslator(&translator));
    }
};

QTEST_GUILESS_MAIN(Translation)
#include "tst_translation.moc"
