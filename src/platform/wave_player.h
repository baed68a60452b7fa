#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class QTemporaryFile;

namespace quillmoth {

// Plays wave sounds held in memory, fire and forget. The bytes are handed to
// the desktop's command-line player (PipeWire, PulseAudio or ALSA) running as
// a detached process, so playing never waits for the sound, a new sound does
// not wait for one still playing, and a machine without a player or without
// an audio device simply stays silent.
class WavePlayer final {
public:
    // Looks for the first of the given programs on the search path.
    explicit WavePlayer(QStringList programs = defaultPrograms());
    ~WavePlayer();

    WavePlayer(const WavePlayer &) = delete;
    WavePlayer &operator=(const WavePlayer &) = delete;

    // pw-play, paplay and aplay, in that order.
    static QStringList defaultPrograms();

    // The player program found, "" when there is none.
    QString program() const { return m_program; }

    // Starts playing the sound; false when nothing could be started (no
    // player, empty bytes, no room for the temporary file). Never blocks.
    bool play(const QByteArray &wave);

private:
    QString m_program;
    QByteArray m_lastWave;
    std::unique_ptr<QTemporaryFile> m_file;
};

// A wave file (RIFF, 16-bit mono PCM) holding the given samples.
QByteArray waveFile(const QList<qint16> &samples, int sampleRate);

// The short soft tick that buttons play by default.
QByteArray clickWave();

} // namespace quillmoth
