#pragma once
// Responsibilities: what a wave file holds, read from its RIFF header before anything plays it: the PCM
// format and the length of the sound; a file that could not be played is refused with the reason.

#include <QString>
#include <QtGlobal>

#include <optional>

class QIODevice;

namespace velm {

struct WaveFormat {
    quint16 channels = 0;
    quint32 sampleRate = 0;    // frames per second
    quint16 bitsPerSample = 0; // 8, 16, 24 or 32
    quint16 blockAlign = 0;    // bytes per frame
    qint64 dataBytes = 0;      // the sound itself

    qint64 durationMs() const;
};

struct WaveFileCheck {
    std::optional<WaveFormat> format;
    QString problem; // why the file is refused, empty when format is set
    bool ok() const { return format.has_value(); }
};

// Files above this size are refused unread: a voice message or prompt lasts seconds.
constexpr qint64 kLargestWaveFile = 64 * 1024 * 1024;

// Reads the chunk headers of a RIFF/WAVE file (at most a few kilobytes, whatever the chunk sizes claim):
// uncompressed PCM (format 1, or the extensible format with a PCM sub-format), 1 to 8 channels, 8 to 32 bits,
// a consistent block size and a non-empty "data" chunk that lies within the file. Anything else is refused:
// missing, empty, truncated, compressed, chunk sizes pointing past the end, over kLargestWaveFile.
WaveFileCheck readWaveFileInfo(const QString& path);
// The same on an open device (positioned anywhere; it is read from the start).
WaveFileCheck readWaveFileInfo(QIODevice& device);

} // namespace velm
