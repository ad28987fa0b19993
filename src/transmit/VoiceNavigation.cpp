#include "transmit/VoiceNavigation.h"

#include "log/ContestSession.h"
#include "platform/WaveFileInfo.h"
#include "platform/WavePlayer.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

namespace velm {

VoiceNavigation::VoiceNavigation(VoiceNavigationContext context, QObject* parent)
    : QObject(parent), m_context(std::move(context))
{
}

void VoiceNavigation::BlindKeyPhone(const QString& prompt)
{
    // The prompt still playing is cut off.
    m_context.player.close();
    m_lengthMs = 0;
    if (m_context.promptWouldTransmit && m_context.promptWouldTransmit())
        return;
    const QString path = m_context.session.programFolder().filePath(prompt + QStringLiteral(".wav"));
    if (!QFileInfo(path).isFile())
        return;
    const WaveFileCheck wave = readWaveFileInfo(path);
    if (!wave.ok() || !m_context.player.open(path) || !m_context.player.play())
        return;
    m_lengthMs = wave.format->durationMs();
    m_started.start();
}

bool VoiceNavigation::promptPlaying() const
{
    return m_context.player.isPlaying();
}

void VoiceNavigation::waitForPrompt()
{
    if (m_lengthMs <= 0 || !m_context.player.isPlaying())
        return;
    const qint64 left = m_lengthMs + kWaitMarginMs - m_started.elapsed();
    if (left <= 0)
        return;
    QEventLoop loop;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [this, &loop] {
        if (!m_context.player.isPlaying())
            loop.quit();
    });
    connect(&m_context.player, &WavePlayer::playingEnded, &loop, &QEventLoop::quit);
    QTimer::singleShot(int(left), &loop, &QEventLoop::quit);
    poll.start(10);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

VoiceNavLevel VoiceNavigation::levelToSelect() const
{
    const quint8 stored = m_context.session.preferences().VoiceNavLevel;
    return stored >= 2 ? VoiceNavLevel::AllDataFields : VoiceNavLevel(stored);
}

void VoiceNavigation::optionChosen(VoiceNavLevel level)
{
    if (level == VoiceNavLevel::Off) {
        BlindKeyPhone(QStringLiteral("NavDis"));
        return;
    }
    BlindKeyPhone(QStringLiteral("NavEn"));
    if (level == VoiceNavLevel::CallOnly) {
        waitForPrompt();
        BlindKeyPhone(QStringLiteral("Call"));
    }
}

FileResult VoiceNavigation::Command1_Click(VoiceNavLevel level)
{
    QDir::setCurrent(programFolder());
    return m_context.session.setVoiceNavLevel(quint8(level));
}

QString VoiceNavigation::programFolder() const
{
    return m_context.session.programFolder().path();
}

} // namespace velm
