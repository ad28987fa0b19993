#pragma once
// Responsibilities: the line the Morse engine keys for the RTS, DTR and Printer methods: the CW serial port
// (opened by number, left open, closed when another transmit path opens), RTS or DTR on it, or the
// parallel port's control register at an address; the port's failure while open.

#include "platform/KeyLine.h"
#include "platform/StationServices.h"
#include "transmit/CwSettings.h"
#include "transmit/TransmitPorts.h"

#include <QObject>
#include <memory>
#include <optional>

namespace velm {

class CwKeyingLine : public QObject {
    Q_OBJECT
public:
    CwKeyingLine(StationServices station, TransmitPorts& ports, QObject* parent = nullptr);
    ~CwKeyingLine() override;

    // CWSetup: closes the CW port, then opens port n (n > 0) with both lines released, after the other
    // transmit paths closed theirs. The operator's text of why it could not be opened, or empty.
    QString CWSetup(int portNumber);
    bool serialOpen() const;
    int openPortNumber() const { return m_portNumber; }
    void closeSerial();

    // The line for method (RTS or DTR on the open CW port, the control register of the parallel port at
    // address, opened on first use); nullptr with the operator's reason when it cannot be keyed.
    KeyLine* line(KeyingMethod method, const QString& parallelAddress, QString* reason);

    // Every line this object keyed is released; the parallel port's claim is kept.
    void releaseAll();
    // Gives everything back (closing and exit).
    void closeAll();

    SerialPortTable& serialPorts() { return m_station.serialPorts; }

Q_SIGNALS:
    // The CW port failed while open (unplugged); it is closed already.
    void lost(const QString& reason);

private:
    StationServices m_station;
    TransmitPorts& m_ports;
    std::unique_ptr<SerialLine> m_serial;
    int m_portNumber = 0;
    std::unique_ptr<SerialKeyLine> m_rts, m_dtr;
    std::unique_ptr<ParallelKeyLine> m_parallel;
};

} // namespace velm
