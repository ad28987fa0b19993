#pragma once
// Responsibilities: a FileSync that touches no device: it records each call (and how big the file was then)
// and fails when a test says so.

#include "platform/FileSync.h"

#include <QFileDevice>
#include <QList>

namespace velm::test {

class FakeFileSync final : public FileSync {
public:
    QString syncToDevice(QFileDevice& file) override
    {
        sizesAtSync << file.size();
        return failure;
    }

    QList<qint64> sizesAtSync; // one per call
    QString failure;           // returned by every call; empty: success
};

} // namespace velm::test
