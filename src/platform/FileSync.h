#pragma once
// Responsibilities: making what was written to an open file durable: pushed from the system's cache to the
// storage device, so that a power cut right afterwards cannot lose it.

#include <QString>

class QFileDevice;

namespace velm {

class FileSync {
public:
    virtual ~FileSync() = default;
    // Pushes the data written to the open file to the device and returns when the device holds it. Returns
    // the system's reason it could not, empty on success.
    virtual QString syncToDevice(QFileDevice& file) = 0;
};

// The system's own call: fdatasync on Linux, F_FULLFSYNC on macOS (its fsync stops at the drive's cache),
// fsync on other Unix systems, FlushFileBuffers on Windows.
class DeviceFileSync final : public FileSync {
public:
    QString syncToDevice(QFileDevice& file) override;
};

} // namespace velm
