#pragma once
// Responsibilities: ParallelPort on Linux ppdev: each base address maps to /dev/parportN
// (parallelDevicePath), is opened and claimed (PPCLAIM) once and shared by every caller, written with PPWDATA
// / PPWCONTROL, released (key up) and registered with LineSafety; writes may come from the keying thread.
// Built once by main for CW "Printer" keying and voice PTT.

#include "platform/ParallelPort.h"

#include <QHash>
#include <QMutex>

namespace velm {

class PpdevParallelPort final : public ParallelPort {
public:
    explicit PpdevParallelPort(const SettingsStore& settings);
    ~PpdevParallelPort() override;

    bool open(quint16 baseAddress) override;
    bool write(quint16 address, quint8 value) override;
    void closeAll() override;
    QString errorString() const override;

private:
    struct Claimed {
        int fd = -1;
        int safetyTicket = -1;
    };
    bool openLocked(quint16 baseAddress);
    bool writeRegister(const Claimed& port, int offset, quint8 value);

    const SettingsStore& m_settings;
    mutable QMutex m_mutex; // the keying thread writes while the window thread may open or close
    QHash<quint16, Claimed> m_ports;
    QString m_errorString;
};

} // namespace velm
