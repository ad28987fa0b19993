#include "platform/WaveFileInfo.h"

#include <QFile>
#include <QtEndian>

namespace velm {

namespace {

constexpr int kMostChunks = 64; // a wave file has a handful; anything more is junk

WaveFileCheck refused(const QString& why)
{
    return WaveFileCheck{std::nullopt, why};
}

quint16 le16(const char* p)
{
    return qFromLittleEndian<quint16>(p);
}

quint32 le32(const char* p)
{
    return qFromLittleEndian<quint32>(p);
}

// The "fmt " chunk's fields, checked.
QString readFormat(const QByteArray& body, WaveFormat& format)
{
    if (body.size() < 16)
        return QStringLiteral("the format chunk is too short");
    const char* p = body.constData();
    quint16 tag = le16(p);
    if (tag == 0xFFFE) {
        // WAVE_FORMAT_EXTENSIBLE: the sub-format GUID begins with the real format tag.
        if (body.size() < 40)
            return QStringLiteral("the extensible format chunk is too short");
        tag = le16(p + 24);
    }
    if (tag != 1)
        return QStringLiteral("the sound is not uncompressed PCM (format %1)").arg(tag);
    format.channels = le16(p + 2);
    format.sampleRate = le32(p + 4);
    format.blockAlign = le16(p + 12);
    format.bitsPerSample = le16(p + 14);
    if (format.channels < 1 || format.channels > 8)
        return QStringLiteral("%1 channels").arg(format.channels);
    if (format.sampleRate < 1000 || format.sampleRate > 384000)
        return QStringLiteral("a sample rate of %1 Hz").arg(format.sampleRate);
    if (format.bitsPerSample != 8 && format.bitsPerSample != 16 && format.bitsPerSample != 24 &&
        format.bitsPerSample != 32)
        return QStringLiteral("%1 bits per sample").arg(format.bitsPerSample);
    if (format.blockAlign != format.channels * (format.bitsPerSample / 8))
        return QStringLiteral("a block size that does not fit the format");
    return {};
}

} // namespace

qint64 WaveFormat::durationMs() const
{
    const qint64 bytesPerSecond = qint64(sampleRate) * blockAlign;
    return bytesPerSecond > 0 ? (dataBytes * 1000 + bytesPerSecond - 1) / bytesPerSecond : 0;
}

WaveFileCheck readWaveFileInfo(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(file.errorString());
    return readWaveFileInfo(file);
}

WaveFileCheck readWaveFileInfo(QIODevice& device)
{
    const qint64 size = device.size();
    if (size == 0)
        return refused(QStringLiteral("the file is empty"));
    if (size > kLargestWaveFile)
        return refused(QStringLiteral("the file is larger than %1 MB").arg(kLargestWaveFile / (1024 * 1024)));
    if (!device.seek(0))
        return refused(QStringLiteral("the file cannot be read"));
    const QByteArray riff = device.read(12);
    if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return refused(QStringLiteral("not a RIFF/WAVE file"));

    WaveFormat format;
    bool haveFormat = false;
    qint64 pos = 12;
    for (int chunk = 0; chunk < kMostChunks && pos + 8 <= size; ++chunk) {
        if (!device.seek(pos))
            break;
        const QByteArray header = device.read(8);
        if (header.size() < 8)
            break;
        const QByteArray id = header.left(4);
        const qint64 length = le32(header.constData() + 4);
        const qint64 body = pos + 8;
        if (length > size - body)
            return refused(QStringLiteral("the \"%1\" chunk claims more bytes than the file holds")
                               .arg(QString::fromLatin1(id.toHex())));
        if (id == "fmt ") {
            if (length > 1024)
                return refused(QStringLiteral("the format chunk is too long"));
            if (const QString problem = readFormat(device.read(length), format); !problem.isEmpty())
                return refused(problem);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return refused(QStringLiteral("the sound comes before its format"));
            if (length < format.blockAlign)
                return refused(QStringLiteral("the file holds no sound"));
            format.dataBytes = length - length % format.blockAlign;
            return WaveFileCheck{format, {}};
        }
        pos = body + length + (length & 1); // chunks are padded to even sizes
    }
    return refused(haveFormat ? QStringLiteral("the file holds no sound") : QStringLiteral("no format chunk"));
}

} // namespace velm
