#pragma once
// Responsibilities: wave files tests write for themselves: a PCM tone of a given length, and the bytes of
// one to damage for the refusal tests.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

#include <cmath>

namespace velm::test {

// A mono 16-bit PCM RIFF/WAVE file holding a 440 Hz tone of ms milliseconds at rate Hz.
inline QByteArray waveBytes(int ms, int rate = 8000)
{
    const int frames = rate * ms / 1000;
    QByteArray data(frames * 2, '\0');
    for (int i = 0; i < frames; ++i)
        qToLittleEndian<qint16>(qint16(6000 * std::sin(2 * M_PI * 440 * i / rate)), data.data() + 2 * i);
    QByteArray out;
    const auto u32 = [&out](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    };
    const auto u16 = [&out](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    };
    out += "RIFF";
    u32(quint32(36 + data.size()));
    out += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(1);
    u32(quint32(rate));
    u32(quint32(rate * 2));
    u16(2);
    u16(16);
    out += "data";
    u32(quint32(data.size()));
    return out + data;
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline bool writeWave(const QString& path, int ms, int rate = 8000)
{
    return writeBytes(path, waveBytes(ms, rate));
}

} // namespace velm::test
