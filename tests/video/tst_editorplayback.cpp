#include "editorplayback.h"
#include "sinesoundserver.h"

#include <QFile>
#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <cmath>

namespace {

// A mono 16-bit WAV file of a 440 Hz tone.
bool writeTone(const QString &path, int milliseconds)
{
    constexpr int rate = 8000;
    const qint32 samples = rate * milliseconds / 1000;
    QByteArray data;
    for (qint32 i = 0; i < samples; ++i) {
        const auto value = qint16(8000 * std::sin(2 * M_PI * 440 * i / rate));
        data.append(reinterpret_cast<const char *>(&value), 2);
    }
    QByteArray header("RIFF");
    auto appendLe = [&header](auto value) {
        const auto le = qToLittleEndian(value);
        header.append(reinterpret_cast<const char *>(&le), sizeof le);
    };
    appendLe(qint32(36 + data.size()));
    header.append("WAVEfmt ");
    appendLe(qint32(16));
    appendLe(qint16(1));
    appendLe(qint16(1));
    appendLe(qint32(rate));
    appendLe(qint32(rate * 2));
    appendLe(qint16(2));
    appendLe(qint16(16));
    header.append("data");
    appendLe(qint32(data.size()));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(header + data) == header.size() + data.size();
}

} // namespace

// Playback in the editor: frames stepped from memory at their capture pace, or following the
// sound of a recording that has it.
class TestEditorPlayback : public QObject
{
    Q_OBJECT

private slots:
    void seekShowsTheNearestFrame_data();
    void seekShowsTheNearestFrame();
    void frameInterval_data();
    void frameInterval();
    void framesWrapAfterTheLast();
    void soundPastTheEndStartsOver();
};

void TestEditorPlayback::seekShowsTheNearestFrame_data()
{
    QTest::addColumn<QList<qint64>>("times");
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<qsizetype>("frame");
    const QList<qint64> uneven{0, 100, 300};
    QTest::newRow("tie takes the first") << uneven << qint64(200) << qsizetype(1);
    QTest::newRow("just past the tie") << uneven << qint64(201) << qsizetype(2);
    QTest::newRow("before the first") << uneven << qint64(-50) << qsizetype(0);
    QTest::newRow("after the last") << uneven << qint64(9000) << qsizetype(2);
    QTest::newRow("equal times take the first")
        << QList<qint64>{0, 40, 40, 80} << qint64(45) << qsizetype(1);
    QTest::newRow("no frames") << QList<qint64>{} << qint64(500) << qsizetype(0);
}

void TestEditorPlayback::seekShowsTheNearestFrame()
{
    QFETCH(QList<qint64>, times);
    QFETCH(qint64, ms);
    QFETCH(qsizetype, frame);
    EditorPlayback playback;
    playback.load(times, 400, QString());
    QSignalSpy shown(&playback, &EditorPlayback::frameChanged);
    playback.seek(ms);
    QCOMPARE(playback.frame(), frame);
    QCOMPARE(shown.size(), 1);
}

void TestEditorPlayback::frameInterval_data()
{
    QTest::addColumn<QList<qint64>>("times");
    QTest::addColumn<int>("interval");
    QTest::newRow("one frame") << QList<qint64>{500} << 1000;
    QTest::newRow("mean of uneven steps") << QList<qint64>{0, 10, 200} << 100;
    QTest::newRow("first frame late") << QList<qint64>{1000, 1100, 1200} << 100;
    QTest::newRow("faster than 20 fps") << QList<qint64>{0, 10, 20} << 50;
    QTest::newRow("slower than one in 5 s") << QList<qint64>{0, 7000} << 5000;
}

void TestEditorPlayback::frameInterval()
{
    QFETCH(QList<qint64>, times);
    QFETCH(int, interval);
    QCOMPARE(EditorPlayback::frameIntervalMs(times), interval);
}

void TestEditorPlayback::framesWrapAfterTheLast()
{
    EditorPlayback playback;
    playback.load({0, 40, 80}, 120, QString());
    QSignalSpy playing(&playback, &EditorPlayback::playingChanged);
    QCOMPARE(playback.toggle(), QString("PlayGif"));
    QCOMPARE(playing.size(), 1);
    QList<qsizetype> frames;
    for (int i = 0; i < 4; ++i) {
        playback.advance();
        frames.append(playback.frame());
    }
    QCOMPARE(frames, (QList<qsizetype>{1, 2, 0, 1}));
    QCOMPARE(playback.shownTimeMs(), 40);
    QCOMPARE(playback.toggle(), QString("PauseGif"));
    QVERIFY(!playback.isPlaying());
}

void TestEditorPlayback::soundPastTheEndStartsOver()
{
    SineSoundServer sound;
    QVERIFY2(sound.start(), "the private PulseAudio server did not start");
    QTemporaryDir folder;
    const QString tone = folder.filePath("tone.wav");
    QVERIFY(writeTone(tone, 2000));

    // The frames end at 400 ms, the sound goes on: the recording's length is the clock's limit.
    EditorPlayback playback;
    playback.load({0, 100, 200, 300}, 400, tone);
    QVERIFY(playback.playsAudio());
    QMediaPlayer *player = playback.mediaPlayer();
    QTRY_COMPARE_WITH_TIMEOUT(player->mediaStatus(), QMediaPlayer::LoadedMedia, 10000);

    playback.seek(240);
    QCOMPARE(playback.frame(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(player->position(), 240, 5000);
    playback.advance();
    QCOMPARE(playback.frame(), 2);

    playback.seek(900);
    QTRY_COMPARE_WITH_TIMEOUT(player->position(), 900, 5000);
    playback.advance();
    QCOMPARE(playback.frame(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(player->position(), 0, 5000);
}

QTEST_MAIN(TestEditorPlayback)
#include "tst_editorplayback.moc"
