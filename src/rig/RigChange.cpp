// The rig link's changes: the frequency and mode commands sent to the radio, the waits between them, the
// PEGASUS.IN file, the band plan's mode for a frequency, and the test window's raw command.

#include "rig/Rig.h"

#include "log/ContestSession.h"
#include "log/ProgramFolder.h"
#include "platform/Prompts.h"
#include "platform/SerialLine.h"
#include "platform/TcpClient.h"
#include "rig/PegasusFiles.h"
#include "rig/RigCommands.h"

#include <QDir>
#include <QLoggingCategory>
#include <QSaveFile>

Q_DECLARE_LOGGING_CATEGORY(lcRig)

namespace velm {

namespace {

// rigctld's negative answers (Hamlib's error codes) in words.
QString rigctldReportText(int code)
{
    static const char* const meanings[] = {
        "",
        "invalid parameter",
        "invalid configuration",
        "out of memory",
        "function not implemented",
        "communication timed out",
        "input/output error",
        "internal Hamlib error",
        "protocol error",
        "command rejected by the rig",
        "command performed, argument truncated",
        "function not available",
    };
    const int index = -code;
    const QString number = QStringLiteral("rigctld answered RPRT %1").arg(code);
    if (index > 0 && index < int(std::size(meanings)))
        return number + QStringLiteral(" (%1).").arg(QString::fromLatin1(meanings[index]));
    return number + QLatin1Char('.');
}

const QString kPortClosed = QStringLiteral("The rig port is not open.");

} // namespace

void Rig::loadBandPlanTable()
{
    m_bandPlanTable.clear();
    const BandPlan plan = readBandPlan(m_session.programFolder().path());
    if (!plan.ok)
        qCInfo(lcRig) << "band plan:" << plan.error;
    for (const BandPlanRow& row : plan.rows) {
        if (row.licenceClass == QLatin1String("E") && m_bandPlanTable.size() < bandplan::kMaxRows)
            m_bandPlanTable.append(row);
    }
}

QString Rig::BandPlanMode(float megahertz) const
{
    for (const BandPlanRow& row : m_bandPlanTable) {
        if (!(row.lower < megahertz && megahertz < row.upper))
            continue;
        // On 160 m the radio's own mode is left alone.
        if (row.band == QLatin1String("160"))
            return {};
        if (row.mode == kModeCw)
            return rigmode::Cw;
        // Phone: lower sideband below 10 MHz by custom; 60 m is upper sideband by rule.
        if (row.band == QLatin1String("80") || row.band == QLatin1String("40"))
            return rigmode::Lsb;
        return rigmode::Usb;
    }
    return {};
}

bool Rig::stillCurrent(const ChangeStart& start) const
{
    return m_pollGeneration == start.generation && m_settings.RigType == start.rigType && linkOpen();
}

void Rig::pausePolling()
{
    m_tmrGetData.stop();
    ++m_changing;
}

void Rig::ChangeFrequency(float megahertz)
{
    if (!polling())
        return;
    const ChangeStart start = changeStart();
    pausePolling();
    if (rigFamily(m_settings.RigType) != RigFamily::Pegasus)
        discardInput();
    m_poller.ReplyBuffer.clear();
    const bool resume = changeFrequencySteps(megahertz, start);
    --m_changing;
    // Only the polling this change paused resumes: not one ended or started anew meanwhile.
    if (resume && stillCurrent(start))
        m_tmrGetData.start();
}

bool Rig::changeFrequencySteps(float megahertz, const ChangeStart& start)
{
    if (!changeModeSteps(megahertz, QString(), start))
        return false;
    waitForOutputDrain();
    if (!stillCurrent(start))
        return false;
    const FrequencyCommand command = frequencyCommand(m_settings, m_poller, megahertz);
    if (command.kind == FrequencyCommand::Kind::Nothing)
        return true;
    for (const int delayMs : {command.delayMs, command.secondDelayMs}) {
        if (delayMs <= 0)
            continue;
        m_waits->delay(delayMs);
        if (!stillCurrent(start))
            return false;
    }
    const QString why =
        command.kind == FrequencyCommand::Kind::Pegasus ? writePegasusIn(megahertz) : sendChange(command.bytes);
    if (!why.isEmpty()) {
        if (m_pollGeneration == start.generation)
            frequencyFailed(why);
        return false;
    }
    waitForOutputDrain();
    return stillCurrent(start);
}

void Rig::frequencyFailed(const QString& why)
{
    qCInfo(lcRig) << "frequency change failed:" << why;
    Q_EMIT changed(RigChange::Polling); // polling stays stopped until the next "Test"
    m_services.prompts.message(why, ChangeFrequencyTitle, MessageIcon::Warning);
}

void Rig::ChangeMode(float megahertz, const QString& mode)
{
    if (RigType() == rigtype::None)
        return;
    // rigctld answers every command in turn: the mode command's answer must not be read as a poll reply.
    const bool pause = polling() && rigFamily(m_settings.RigType) == RigFamily::Rigctld;
    const ChangeStart start = changeStart();
    if (pause)
        pausePolling();
    const bool resume = changeModeSteps(megahertz, mode, start);
    if (pause) {
        --m_changing;
        if (resume && stillCurrent(start))
            m_tmrGetData.start();
    }
}

bool Rig::changeModeSteps(float megahertz, const QString& mode, const ChangeStart& start)
{
    if (m_settings.RigType == rigtype::None)
        return true;
    const QString chosen = mode.isEmpty() ? BandPlanMode(megahertz) : mode;
    if (chosen.isEmpty())
        return true;
    const bool wasOpen = linkOpen();
    m_waits->processEvents();
    waitForOutputDrain();
    m_waits->delay(kModeDelayMs);
    if (wasOpen && !stillCurrent(start))
        return false;
    if (const std::optional<QByteArray> command = modeCommand(m_settings, chosen)) {
        if (const QString why = sendChange(*command); !why.isEmpty()) {
            qCInfo(lcRig) << "mode change failed:" << why;
            m_services.prompts.message(why + QLatin1Char(' ') + chosen, ChangeModeTitle, MessageIcon::Warning);
            if (wasOpen && !stillCurrent(start))
                return false;
        }
    }
    waitForOutputDrain();
    return !wasOpen || stillCurrent(start);
}

void Rig::waitForOutputDrain()
{
    if (rigTransport(m_settings.RigType) != RigTransport::Serial || !m_line || !m_line->isOpen())
        return;
    SerialLine* line = m_line.get();
    m_waits->waitUntil([this, line] { return m_line.get() != line || !line->isOpen() || line->bytesToWrite() == 0; },
                       kDrainWaitMs);
}

void Rig::discardInput()
{
    if (rigTransport(m_settings.RigType) == RigTransport::Tcp) {
        // The replies of a poll still on their way come first; what they say is taken as a poll's.
        awaitRigctldReports(m_poller.rigctldReplies.pending());
        if (m_rigctld)
            m_rigctld->read(kMaxReadBytes);
        m_poller.rigctldReplies.reset();
        return;
    }
    if (m_line && m_line->isOpen()) {
        for (int i = 0; i < 16 && m_line->bytesAvailable() > 0; ++i)
            m_line->read(kMaxReadBytes);
    }
}

bool Rig::awaitRigctldReports(int count)
{
    if (count <= 0)
        return true;
    const int target = m_poller.rigctldReplies.reportsSeen() + count;
    return m_waits->waitUntil(
        [this, target] {
            // Bytes that came without a received signal yet (the waits' own events deliver them too).
            if (m_rigctld && m_rigctldUp && m_rigctld->bytesAvailable() > 0)
                m_poller.rigctldReplies.feed(m_rigctld->read(kMaxReadBytes), m_poller);
            return m_poller.rigctldReplies.reportsSeen() >= target;
        },
        kRigctldAnswerMs);
}

QString Rig::sendChange(const QByteArray& bytes)
{
    if (rigTransport(m_settings.RigType) == RigTransport::Tcp) {
        if (!m_rigctld || !m_rigctldUp)
            return kPortClosed;
        const int before = m_poller.rigctldReplies.pending();
        if (m_rigctld->send(bytes) <= 0)
            return QStringLiteral("The command could not be sent to rigctld.");
        m_poller.rigctldReplies.expect(1);
        // An answer that does not come within the second is no failure: the next poll shows where the radio is.
        if (awaitRigctldReports(before + 1) && m_poller.rigctldReplies.lastReportCode() < 0)
            return rigctldReportText(m_poller.rigctldReplies.lastReportCode());
        return {};
    }
    if (!m_line || !m_line->isOpen())
        return kPortClosed;
    if (m_line->write(bytes) != bytes.size())
        return m_line->errorString().isEmpty() ? QStringLiteral("The rig port did not take the command.")
                                                : m_line->errorString();
    return {};
}

QString Rig::writePegasusIn(float megahertz)
{
    const QString folder = pegasusFolder();
    if (!QDir().mkpath(folder))
        return QStringLiteral("The folder %1 could not be made.").arg(QDir::toNativeSeparators(folder));
    // The control program must never read half a file: written aside, then renamed over the old one.
    QSaveFile file(findFileIgnoringCase(folder, pegasus::InFileName));
    const QByteArray text = pegasusInText(megahertz, m_poller.RigMode);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
    return {};
}

bool Rig::sendCommand(const QByteArray& bytes)
{
    if (bytes.isEmpty() || !linkOpen() || rigTransport(m_settings.RigType) == RigTransport::Files)
        return false;
    if (rigTransport(m_settings.RigType) == RigTransport::Tcp) {
        if (!m_rigctldUp)
            return false;
        return m_rigctld->send(bytes.endsWith('\n') ? bytes : bytes + '\n') > 0;
    }
    return m_line->write(bytes) == bytes.size();
}

} // namespace velm
