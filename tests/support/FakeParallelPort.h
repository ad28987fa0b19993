#pragma once
// Responsibilities: a ParallelPort for tests: records every (address, byte) written and every open, fails
// on cue with a set message. Thread-safe (the Morse engine writes from its worker thread). For CW "Printer"
// keying and voice "Parallel" PTT tests.

#include "platform/ParallelPort.h"

#include <QList>
#include <QMutex>

namespace velm::test {

class FakeParallelPort final : public ParallelPort {
public:
    struct Write {
        quint16 address;
        quint8 value;
        bool operator==(const Write&) const = default;
    };

    bool open(quint16 baseAddress) override
    {
        const QMutexLocker lock(&m_mutex);
        m_opened << baseAddress;
        if (!openError.isEmpty())
            return false;
        m_writes.append({quint16(baseAddress + kParallelControlOffset), kParallelKeyUp});
        return true;
    }
    bool write(quint16 address, quint8 value) override
    {
        const QMutexLocker lock(&m_mutex);
        if (!openError.isEmpty())
            return false;
        m_writes.append({address, value});
        return true;
    }
    void closeAll() override
    {
        const QMutexLocker lock(&m_mutex);
        ++m_closeAllCount;
    }
    QString errorString() const override { return openError; }

    QList<Write> writes() const
    {
        const QMutexLocker lock(&m_mutex);
        return m_writes;
    }
    QList<quint16> opened() const
    {
        const QMutexLocker lock(&m_mutex);
        return m_opened;
    }
    int closeAllCount() const
    {
        const QMutexLocker lock(&m_mutex);
        return m_closeAllCount;
    }
    void clear()
    {
        const QMutexLocker lock(&m_mutex);
        m_writes.clear();
        m_opened.clear();
    }

    // When set, open and write fail and errorString() returns it. Set it before handing the port out.
    QString openError;

private:
    mutable QMutex m_mutex;
    QList<Write> m_writes;
    QList<quint16> m_opened;
    int m_closeAllCount = 0;
};

} // namespace velm::test
