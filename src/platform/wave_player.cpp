#include "wave_player.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QtEndian>

#include <cmath>
#include <numbers>

namespace quillmoth {
namespace {

void appendUint32(QByteArray &bytes, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

void appendUint16(QByteArray &bytes, quint16 value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}

} // namespace

WavePlayer::WavePlayer(QStringList programs)
{
    for (const QString &name : programs) {
        m_program = QStandardPaths::findExecutable(name);
        if (!m_program.isEmpty())
            break;
    }
}

WavePlayer::~WavePlayer() = default;

QStringList WavePlayer::defaultPrograms()
{
    return {QStringLiteral("pw-play"), QStringLiteral("paplay"), QStringLiteral("aplay")};
}

bool WavePlayer::play(const QByteArray &wave)
{
    if (m_program.isEmpty() || wave.isEmpty())
        return false;
    // The player reads a file; the same sound reuses the file written for it
    // the first time.
    if (!m_file || wave != m_lastWave) {
        auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() +
                                                     QStringLiteral("/quillmoth-sound-XXXXXX.wav"));
        if (!file->open() || file->write(wave) != wave.size() || !file->flush())
            return false;
        file->close();
        m_file = std::move(file);
        m_lastWave = wave;
    }
    QProcess process;
    process.setProgram(m_program);
    process.setArguments({m_file->fileName()});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

QByteArray waveFile(const QList<qint16> &samples, int sampleRate)
{
    const auto dataSize = quint32(samples.size() * 2);
    QByteArray bytes;
    bytes.reserve(int(44 + dataSize));
    bytes.append("RIFF", 4);
    appendUint32(bytes, 36 + dataSize);
    bytes.append("WAVEfmt ", 8);
    appendUint32(bytes, 16);                   // format chunk size
    appendUint16(bytes, 1);                    // PCM
    appendUint16(bytes, 1);                    // mono
    appendUint32(bytes, quint32(sampleRate));
    appendUint32(bytes, quint32(sampleRate * 2)); // bytes per second
    appendUint16(bytes, 2);                    // bytes per frame
    appendUint16(bytes, 16);                   // bits per sample
    bytes.append("data", 4);
    appendUint32(bytes, dataSize);
    for (qint16 sample : samples)
        appendUint16(bytes, quint16(sample));
    return bytes;
}

QByteArray clickWave()
{
    // 25 ms of a 1.6 kHz tone with a fast exponential decay: a soft tick.
    constexpr int kRate = 22050;
    constexpr int kCount = kRate / 40;
    QList<qint16> samples;
    samples.reserve(kCount);
    for (int i = 0; i < kCount; ++i) {
        const double t = double(i) / kRate;
        const double value = std::sin(2.0 * std::numbers::pi * 1600.0 * t) * std::exp(-t * 220.0);
        samples.append(qint16(std::lround(value * 9000.0)));
    }
    return waveFile(samples, kRate);
}

} // namespace quillmoth
