// The CW window's settings as the controller holds them: field rules, speed steps, keying and timing
// methods, calibration, cw.txt and the per-user timing at start-up and on "Done".

#include "transmit/TransmitController.h"

#include "log/ContestSession.h"
#include "log/WriteFormat.h"
#include "platform/Prompts.h"
#include "platform/SettingsStore.h"
#include "transmit/CwFile.h"
#include "transmit/WinKeyLink.h"

#include <QDir>
#include <QEventLoop>

#include <cmath>

namespace velm {

namespace {
const QString kTimingKey = QStringLiteral("UserCWSelection");
const QString kLoopOffsetKey = QStringLiteral("UserCWLoopOffset");
} // namespace

int TransmitController::portNumber() const
{
    return wholeNumber(m_settings.portText).value_or(0);
}

QString TransmitController::startUp()
{
    const SettingsStore& store = m_context.services.settings;
    m_settings.timing = timingMethodOf(store.value(kTimingKey, QStringLiteral("Timer")));
    m_settings.loopOffset = parseNumber(QStringView(store.value(kLoopOffsetKey, QStringLiteral("0")))).value_or(0);
    CwFile file(m_context.session.programFolder().path());
    // A file that does not read keeps the rest of the fields at their defaults; it is kept as it is and set
    // aside when the operator saves.
    file.read(m_settings);
    m_engine.setSpeed(speedOf(m_settings.speedText));
    if (m_settings.method == KeyingMethod::WinKey)
        m_winKey.load(m_context.session.userFolders().UserDataFolder, m_settings.speedText);
    Q_EMIT settingsChanged();
    return {};
}

FileResult TransmitController::Command1_Click(QString* notice)
{
    CwFile file(m_context.session.programFolder().path());
    QString keptAs;
    const FileResult result = file.write(m_settings, &keptAs);
    SettingsStore& store = m_context.services.settings;
    store.setValue(kTimingKey, timingMethodText(m_settings.timing));
    store.setValue(kLoopOffsetKey, QString::fromLatin1(formatNumber(m_settings.loopOffset)));
    if (notice)
        *notice = keptAs.isEmpty() ? QString()
                                   : QStringLiteral("%1 could not be read when the program started; it is kept as %2 "
                                                    "and your messages are saved in a new %1.")
                                         .arg(QDir::toNativeSeparators(file.path()),
                                              QDir::toNativeSeparators(keptAs));
    return result;
}

void TransmitController::setMessage(int index, const QString& text)
{
    if (index >= 0 && index < kMessageCount)
        m_settings.messages[index] = text;
}

void TransmitController::applySpeed(const QString& text)
{
    m_settings.speedText = text;
    const int speed = speedOf(text);
    m_engine.setSpeed(speed);
    if (m_settings.method == KeyingMethod::WinKey)
        m_winKey.cwSpeedChanged(speed);
}

void TransmitController::setSpeedText(const QString& text)
{
    applySpeed(text);
}

QString TransmitController::leaveSpeedField(const QString& text)
{
    applySpeed(numberOrZero(text));
    return m_settings.speedText;
}

int TransmitController::UpDown1_UpClick()
{
    applySpeed(QString::number(speedOf(m_settings.speedText) + 1));
    Q_EMIT settingsChanged();
    return speedOf(m_settings.speedText);
}

int TransmitController::UpDown1_DownClick()
{
    // The slowest speed is 1 WPM: there is no unit length below it.
    applySpeed(QString::number(std::max(1, speedOf(m_settings.speedText) - 1)));
    Q_EMIT settingsChanged();
    return speedOf(m_settings.speedText);
}

QString TransmitController::leavePortField(const QString& text)
{
    m_settings.portText = numberOrZero(text);
    if (m_settings.method == KeyingMethod::Rts || m_settings.method == KeyingMethod::Dtr) {
        // The line under a message goes away: the message ends with it.
        if (CwSending()) {
            m_cwBuffer.clear();
            stopEngine();
        }
        if (const QString failure = m_line.CWSetup(portNumber()); !failure.isEmpty())
            invalidPort(failure);
    }
    return m_settings.portText;
}

QString TransmitController::leaveWordSpaceField(const QString& text)
{
    m_settings.wordSpaceText = wordSpaceRule(text);
    return m_settings.wordSpaceText;
}

QString TransmitController::stepWordSpace(int delta)
{
    const std::optional<double> value = parseNumber(QStringView(m_settings.wordSpaceText));
    const double stepped = value ? std::nearbyint(*value) + delta : 0;
    return leaveWordSpaceField(QString::fromLatin1(formatNumber(stepped)));
}

void TransmitController::setParallelAddress(const QString& text)
{
    m_settings.parallelAddress = text;
}

void TransmitController::setKeyingMethod(KeyingMethod method)
{
    if (method == m_settings.method)
        return;
    // Leaving WinKey gives the keyer back: it may hold the port the new method is about to open.
    if (m_settings.method == KeyingMethod::WinKey && m_context.winKeyLink.isOpen())
        m_winKey.CloseWinKey();
    m_settings.method = method;
    if (method == KeyingMethod::WinKey)
        m_winKey.load(m_context.session.userFolders().UserDataFolder, m_settings.speedText);
    Q_EMIT settingsChanged();
}

void TransmitController::setTimingMethod(TimingMethod method)
{
    m_settings.timing = method;
    if (method == TimingMethod::Loop && !(m_settings.loopOffset > 0))
        CalibrateLoop();
    Q_EMIT settingsChanged();
}

void TransmitController::setLoopOffset(double offset)
{
    m_settings.loopOffset = std::isfinite(offset) ? offset : 0;
}

void TransmitController::cmdLoopFaster_Click()
{
    m_settings.loopOffset = loopFaster(m_settings.loopOffset);
    Q_EMIT settingsChanged();
}

void TransmitController::cmdLoopSlower_Click()
{
    m_settings.loopOffset = loopSlower(m_settings.loopOffset);
    Q_EMIT settingsChanged();
}

void TransmitController::CalibrateLoop()
{
    if (!waitFor(&MorseEngine::idle))
        return;
    double offset = 0;
    QEventLoop loop;
    connect(&m_engine, &MorseEngine::calibrated, &loop, [&](double measured) {
        offset = measured;
        loop.quit();
    });
    connect(this, &TransmitController::progress, &loop, [&] {
        if (m_stopping)
            loop.quit();
    });
    if (!m_engine.startCalibration())
        return;
    // About 100 ms of counting on the keying thread; keys typed meanwhile wait for it.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (offset > 0)
        m_settings.loopOffset = offset;
    Q_EMIT settingsChanged();
}

void TransmitController::setDisplayOnMainWindow(bool on)
{
    m_settings.displayOnMainWindow = on;
}

bool TransmitController::leaveRepeatField(const QString& text)
{
    if (repeatSecondsOf(text)) {
        m_settings.repeatText = text;
        return true;
    }
    if (!parseNumber(QStringView(text)))
        m_context.services.prompts.beep();
    m_settings.repeatText = QStringLiteral("0");
    return false;
}

void TransmitController::Command4_Click()
{
    const KeyingMethod method = m_settings.method;
    if (method == KeyingMethod::None) {
        m_context.services.prompts.message(
            QStringLiteral("Choose how CW is keyed (RTS, DTR, Printer or WinKey) to send the test message."),
            QStringLiteral("A keying method is required."), MessageIcon::Information);
        return;
    }
    FKeyCW(kF9Code);
}

} // namespace velm
