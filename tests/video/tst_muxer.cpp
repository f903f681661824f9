#include "mediaprobe.h"
#include "muxer.h"
#include "soundmuxer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace {

void writeFile(const QString &path, const QByteArray &content = "x")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// A shell script standing in for the muxer: it records its arguments one per line, then runs
// the given body.
QString fakeMuxer(const QString &folder, const QString &body)
{
    const QString path = folder + "/fake-muxer";
    writeFile(path, QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > "
                                   "\"%1/arguments\"\n%2\n")
                        .arg(folder, body)
                        .toUtf8());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

bool makeVideo(const QString &path, const QStringList &inputs, int seconds = 1)
{
    ffmpegLog(QStringList{"-v", "error", "-y"} + inputs +
              QStringList{"-t", QString::number(seconds), path});
    return QFileInfo::exists(path);
}

// A picture of the test pattern, as the edited video; a red one with a tone, as the recording.
bool makeEditedVideo(const QString &path)
{
    return makeVideo(path, {"-f", "lavfi", "-i", "testsrc=size=64x48:rate=25", "-c:v", "libx264"});
}
bool makeRecording(const QString &path, int seconds = 1)
{
    return makeVideo(path,
                     {"-f", "lavfi", "-i", "color=c=red:size=64x48:rate=25", "-f", "lavfi", "-i",
                      "sine=frequency=440", "-c:v", "libx264", "-c:a", "aac"},
                     seconds);
}

// The picture is the edited one (the test pattern), not the recording's red.
bool showsTheEditedPicture(const QString &path)
{
    const QImage frame = firstVideoFrame(path);
    return !frame.isNull() && frame.pixelColor(2, 2) != frame.pixelColor(62, 2);
}

// Runs the muxer as the recorder does and waits for its result.
// Starts the muxer and waits for what it reports; nothing may be reported from start() itself.
template <typename Muxer, typename... Arguments>
MuxResult outcomeOf(int waitMs, const Arguments &...arguments)
{
    Muxer muxer;
    std::optional<MuxResult> result;
    QObject::connect(&muxer, &Muxer::finished, [&](const MuxResult &outcome) { result = outcome; });
    muxer.start(arguments...);
    if (result || !QTest::qWaitFor([&] { return result.has_value(); }, waitMs))
        return {};
    return *result;
}

MuxResult mux(const QString &program, const QString &edited, const QString &recording,
              const QString &output, int timeoutMs = muxerTimeoutMs)
{
    return outcomeOf<MuxerProcess>(timeoutMs + 10000, program, edited, recording, output,
                                   timeoutMs);
}

// The output is the result when the sound went in; otherwise the edited video is, and no output
// is left. The recording is never touched.
void verifyOutcome(const MuxResult &result, bool muxed, const QString &edited,
                   const QString &recording, const QString &output)
{
    QCOMPARE(result.hasAudio, muxed);
    QCOMPARE(result.path, muxed ? output : edited);
    QCOMPARE(QFileInfo::exists(output), muxed);
    QCOMPARE(QFileInfo::exists(edited), !muxed);
    QVERIFY(QFileInfo::exists(recording));
}

} // namespace

class TestMuxer : public QObject
{
    Q_OBJECT

private slots:
    void findsTheFirstPlaceThatHoldsTheProgram_data();
    void findsTheFirstPlaceThatHoldsTheProgram();
    void passesTheFifteenArguments();
    void outcomeOfARun_data();
    void outcomeOfARun();
    void noProgramKeepsTheEditedVideo();
    void realMuxerCopiesTheRecordingsAudio();
    void soundIsPutInWithOrWithoutTheProgram_data();
    void soundIsPutInWithOrWithoutTheProgram();
};

void TestMuxer::findsTheFirstPlaceThatHoldsTheProgram_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("expected");

    // Paths relative to a root; the program runs from root/build/bin.
    const QString beside = "build/bin/ffmpeg";
    const QString libs = "build/bin/build_scripts/win_libs/ffmpeg";
    const QString twoUp = "build_scripts/win_libs/ffmpeg";
    const QString onPath = "path/ffmpeg";
    QTest::newRow("beside the program") << QStringList{beside, libs, twoUp, onPath} << beside;
    QTest::newRow("its build_scripts") << QStringList{libs, twoUp, onPath} << libs;
    QTest::newRow("two folders up") << QStringList{twoUp, onPath} << twoUp;
    QTest::newRow("on PATH") << QStringList{onPath} << onPath;
    QTest::newRow("nowhere") << QStringList{} << QString();
}

void TestMuxer::findsTheFirstPlaceThatHoldsTheProgram()
{
    QFETCH(QStringList, present);
    QFETCH(QString, expected);

    QTemporaryDir root;
    for (const QString &file : present) {
        writeFile(root.filePath(file));
        QFile::setPermissions(root.filePath(file), QFile::ReadOwner | QFile::ExeOwner);
    }
    QDir().mkpath(root.filePath("build/bin"));
    const QString found = findMuxer(root.filePath("build/bin"), {root.filePath("path")});
    QCOMPARE(found, expected.isEmpty() ? QString() : root.filePath(expected));
}

void TestMuxer::passesTheFifteenArguments()
{
    QTemporaryDir folder;
    const QString program = fakeMuxer(folder.path(), "touch \"${15}\"");
    const QString edited = folder.filePath("edited file.mp4");
    const QString recording = folder.filePath("recording.mp4");
    const QString output = folder.filePath("muxed.mp4");

    QCOMPARE(mux(program, edited, recording, output).path, output);
    QFile arguments(folder.filePath("arguments"));
    QVERIFY(arguments.open(QIODevice::ReadOnly));
    const QStringList expected = {"-y",   "-i",    edited, "-i",        recording,
                                  "-map", "0:v:0", "-map", "1:a:0?",    "-c:v",
                                  "copy", "-c:a",  "copy", "-shortest", output};
    QCOMPARE(QString::fromUtf8(arguments.readAll()).split('\n', Qt::SkipEmptyParts), expected);
}

void TestMuxer::outcomeOfARun_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<bool>("muxed");

    QTest::newRow("writes the output, exits 0") << "touch \"${15}\"" << true;
    QTest::newRow("writes the output, exits 3") << "touch \"${15}\"; exit 3" << false;
    QTest::newRow("exits 0 without output") << "exit 0" << false;
    QTest::newRow("killed by a signal") << "touch \"${15}\"; kill -9 $$" << false;
    QTest::newRow("runs past the time limit") << "touch \"${15}\"; exec sleep 30" << false;
}

void TestMuxer::outcomeOfARun()
{
    QFETCH(QString, body);
    QFETCH(bool, muxed);

    QTemporaryDir folder;
    const QString edited = folder.filePath("edited.mp4");
    const QString recording = folder.filePath("recording.mp4");
    const QString output = folder.filePath("muxed.mp4");
    writeFile(edited);
    writeFile(recording);
    QElapsedTimer clock;
    clock.start();
    const MuxResult result = mux(fakeMuxer(folder.path(), body), edited, recording, output, 1000);
    QVERIFY(clock.elapsed() < 10000);
    verifyOutcome(result, muxed, edited, recording, output);
}

void TestMuxer::noProgramKeepsTheEditedVideo()
{
    QTemporaryDir folder;
    const QString edited = folder.filePath("edited.mp4");
    writeFile(edited);
    const MuxResult result =
        mux({}, edited, folder.filePath("rec.mp4"), folder.filePath("out.mp4"));
    QCOMPARE(result.path, edited);
    QVERIFY(!result.hasAudio);
    QVERIFY(QFileInfo::exists(edited));
}

void TestMuxer::realMuxerCopiesTheRecordingsAudio()
{
    const QString ffmpeg = findMuxer(QCoreApplication::applicationDirPath(), systemPathDirs());
    QVERIFY2(!ffmpeg.isEmpty(), "ffmpeg is not installed");

    QTemporaryDir folder;
    const QString edited = folder.filePath("edited.mp4");
    const QString recording = folder.filePath("recording.mp4");
    const QString output = folder.filePath("muxed.mp4");
    QVERIFY(makeEditedVideo(edited));
    QVERIFY(makeRecording(recording));

    const MuxResult result = mux(ffmpeg, edited, recording, output);
    QVERIFY(result.hasAudio);
    QCOMPARE(result.path, output);
    const QJsonObject probe = probeMedia(output);
    QCOMPARE(mediaStream(probe, "video").value("codec_name").toString(), QString("h264"));
    QCOMPARE(mediaStream(probe, "audio").value("codec_name").toString(), QString("aac"));
    QVERIFY(showsTheEditedPicture(output));
}

void TestMuxer::soundIsPutInWithOrWithoutTheProgram_data()
{
    QTest::addColumn<QString>("program");   // "ffmpeg", a fake's body, or empty for none
    QTest::addColumn<QString>("recording"); // "sound", "silent" or "broken"
    QTest::addColumn<bool>("muxed");
    QTest::newRow("real muxer") << "ffmpeg"
                                << "sound" << true;
    QTest::newRow("failing muxer") << "touch \"${15}\"; exit 3"
                                   << "sound" << true;
    QTest::newRow("no muxer") << QString() << "sound" << true;
    QTest::newRow("recording without sound") << QString() << "silent" << false;
    QTest::newRow("broken recording") << QString() << "broken" << false;
}

void TestMuxer::soundIsPutInWithOrWithoutTheProgram()
{
    QFETCH(QString, program);
    QFETCH(QString, recording);
    QFETCH(bool, muxed);

    QTemporaryDir folder;
    const QString edited = folder.filePath("edited.mp4");
    const QString source = folder.filePath("recording.mp4");
    const QString output = folder.filePath("muxed.mp4");
    QVERIFY(makeEditedVideo(edited));
    if (recording == "sound")
        // Longer than the edited video: the sound ends with the picture.
        QVERIFY(makeRecording(source, 2));
    else if (recording == "silent")
        QVERIFY(makeVideo(
            source, {"-f", "lavfi", "-i", "color=c=red:size=64x48:rate=25", "-c:v", "libx264"}));
    else
        writeFile(source, "not a video");
    if (program == "ffmpeg")
        program = findMuxer(QCoreApplication::applicationDirPath(), systemPathDirs());
    else if (!program.isEmpty())
        program = fakeMuxer(folder.path(), program);

    const MuxResult result = outcomeOf<SoundMuxer>(30000, program, edited, source, output);
    verifyOutcome(result, muxed, edited, source, output);
    if (!muxed || QTest::currentTestFailed())
        return;
    const QJsonObject probe = probeMedia(output);
    const QJsonObject audio = mediaStream(probe, "audio");
    QCOMPARE(audio.value("codec_name").toString(), QString("aac"));
    QVERIFY(showsTheEditedPicture(output));
    const double pictureSeconds =
        mediaStream(probe, "video").value("duration").toString().toDouble();
    const double soundSeconds = audio.value("duration").toString().toDouble();
    QVERIFY2(qAbs(soundSeconds - pictureSeconds) < 0.1,
             qPrintable(QStringLiteral("%1 / %2").arg(soundSeconds).arg(pictureSeconds)));
}

QTEST_MAIN(TestMuxer)
#include "tst_muxer.moc"
