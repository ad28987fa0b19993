#pragma once
// Responsibilities: a pair of linked pseudo-terminals made by socat in a temporary folder (A and B: bytes
// written to one arrive at the other), ready when both links exist, ended by its pid at any moment to
// simulate a device that vanishes. For the serial tests of CW/WinKey, rig, spotting TNC and voice PTT.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace velm::test {

class SocatPair {
public:
    SocatPair();
    ~SocatPair();
    SocatPair(const SocatPair&) = delete;
    SocatPair& operator=(const SocatPair&) = delete;

    // socat is on the PATH (tests skip with a reason when not).
    static bool available();
    // Starts socat and waits until it reports its transfer loop and both links exist; false (errorString)
    // when it does not within timeoutMs.
    bool start(int timeoutMs = 5000);
    QString pathA() const { return m_dir.filePath(QStringLiteral("ttyA")); }
    QString pathB() const { return m_dir.filePath(QStringLiteral("ttyB")); }
    qint64 pid() const { return m_process.processId(); }
    bool isRunning() const { return m_process.state() == QProcess::Running; }
    // Ends socat at once (SIGKILL to its pid) and waits for it: both pseudo-terminals vanish.
    void kill();
    QString errorString() const { return m_error; }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_error;
};

} // namespace velm::test
