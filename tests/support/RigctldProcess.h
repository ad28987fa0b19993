#pragma once
// Responsibilities: Hamlib's rigctld with its dummy rig (-m 1) on 127.0.0.1 and a free port, started by the
// test, ready once it accepts a connection, ended by its pid; and a second client that talks to it as
// another program on the station would.

#include <QByteArray>
#include <QProcess>
#include <QString>

namespace velm::test {

class RigctldProcess {
public:
    RigctldProcess() = default;
    ~RigctldProcess();
    RigctldProcess(const RigctldProcess&) = delete;
    RigctldProcess& operator=(const RigctldProcess&) = delete;

    // rigctld is on the PATH (Debian libhamlib-utils).
    static bool available();
    // Starts the daemon and waits until it accepts connections; false (errorString) when it does not.
    bool start(int timeoutMs = 10000);
    quint16 port() const { return m_port; }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    void kill();
    QString errorString() const { return m_error; }

    // One command from another client (a line such as "F 7040000"); the daemon's answer, empty on failure.
    QByteArray command(const QByteArray& line, int timeoutMs = 3000) const;

private:
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
};

} // namespace velm::test
