#include "editorplayback.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

#include <algorithm>

namespace {

// The sound's clock is read this often while it plays.
constexpr int audioPollMs = 20;

} // namespace

EditorPlayback::EditorPlayback(QObject *parent) : QObject(parent)
{
    connect(&playbackTimer, &QTimer::timeout, this, &EditorPlayback::advance);
}

qsizetype EditorPlayback::nearestFrame(const QList<qint64> &frameTimes, qint64 ms)
{
    qsizetype best = 0;
    for (qsizetype i = 1; i < frameTimes.size(); ++i)
        if (std::abs(frameTimes.at(i) - ms) < std::abs(frameTimes.at(best) - ms))
            best = i;
    return best;
}

int EditorPlayback::frameIntervalMs(const QList<qint64> &frameTimes)
{
    if (frameTimes.size() < 2)
        return 1000;
    const qint64 mean = (frameTimes.last() - frameTimes.first()) / (frameTimes.size() - 1);
    return int(std::clamp<qint64>(mean, 50, 5000));
}

void EditorPlayback::load(const QList<qint64> &times, qint64 duration, const QString &audioFile)
{
    stop();
    frameTimes = times;
    durationMs = duration;
    currentFrame = 0;
    setAudioFile(audioFile);
}

void EditorPlayback::setAudioFile(const QString &audioFile)
{
    audio = audioFile;
    if (audio.isEmpty()) {
        if (player)
            player->setSource(QUrl());
        return;
    }
    ensurePlayer();
    player->setSource(QUrl::fromLocalFile(audio));
    player->setPosition(0);
}

void EditorPlayback::ensurePlayer()
{
    if (player)
        return;
    player = new QMediaPlayer(this);
    output = new QAudioOutput(this);
    player->setAudioOutput(output);
}

qsizetype EditorPlayback::shownFrame() const
{
    return std::clamp<qsizetype>(currentFrame, 0, std::max<qsizetype>(0, frameTimes.size() - 1));
}

qint64 EditorPlayback::shownTimeMs() const
{
    return frameTimes.isEmpty() ? 0 : frameTimes.at(shownFrame());
}

QString EditorPlayback::toggle()
{
    if (frameTimes.isEmpty())
        return {};
    if (playing) {
        stop();
        return QStringLiteral("PauseGif");
    }
    playing = true;
    emit playingChanged(true);
    if (playsAudio()) {
        playbackTimer.start(audioPollMs);
        player->setPosition(shownTimeMs());
        player->play();
        return QStringLiteral("PlayMP4Audio");
    }
    playbackTimer.start(frameIntervalMs(frameTimes));
    return QStringLiteral("PlayGif");
}

void EditorPlayback::stop()
{
    playbackTimer.stop();
    if (player)
        player->pause();
    if (std::exchange(playing, false))
        emit playingChanged(false);
}

void EditorPlayback::advance()
{
    if (frameTimes.isEmpty())
        return;
    if (playsAudio()) {
        const qint64 position = player->position();
        currentFrame = nearestFrame(frameTimes, position);
        // The sound may end a little before the last frame does; then it starts over as well.
        const bool ended = player->playbackState() == QMediaPlayer::StoppedState;
        if ((durationMs >= 1 && position >= durationMs) || ended) {
            player->setPosition(0);
            if (ended)
                player->play();
            currentFrame = 0;
        }
    } else {
        currentFrame = (currentFrame + 1) % frameTimes.size();
    }
    emit frameChanged();
}

void EditorPlayback::seek(qint64 ms)
{
    stop();
    currentFrame = nearestFrame(frameTimes, ms);
    if (playsAudio())
        player->setPosition(ms);
    emit frameChanged();
}
