#include "soundmuxer.h"

#include "soundremux.h"

#include <QDebug>
#include <QFile>

SoundMuxer::SoundMuxer(QObject *parent) : QObject(parent) {}

SoundMuxer::~SoundMuxer()
{
    delete process;
    if (thread.joinable()) {
        stopping = true;
        thread.join();
    }
    if (running)
        QFile::remove(output);
}

void SoundMuxer::start(const QString &program, const QString &editedPath,
                       const QString &recordingPath, const QString &outputPath)
{
    edited = editedPath;
    recording = recordingPath;
    output = outputPath;
    running = true;
    if (program.isEmpty()) {
        remux();
        return;
    }
    process = new MuxerProcess(this);
    connect(process, &MuxerProcess::finished, this, [this](const MuxResult &result) {
        if (!result.hasAudio) {
            qWarning().noquote() << "The outside muxer failed; the sound is copied in by ourselves";
            remux();
            return;
        }
        running = false;
        emit finished(result);
    });
    process->start(program, edited, recording, output);
}

void SoundMuxer::remux()
{
    thread = std::thread([this] {
        const QString error =
            remuxSound(edited, recording, output, [this] { return stopping.load(); });
        // Dropped when this object goes first; its destructor waits for the thread.
        QMetaObject::invokeMethod(
            this, [this, error] { conclude(error); }, Qt::QueuedConnection);
    });
}

void SoundMuxer::conclude(const QString &error)
{
    thread.join();
    running = false;
    if (!error.isEmpty()) {
        qWarning().noquote() << "Could not put the sound into the edited video:" << error;
        emit finished({edited, false});
        return;
    }
    QFile::remove(edited);
    emit finished({output, true});
}
