// CW sending: the buffer loop on the Morse engine, the function-key messages, the repeat, the WinKey feeder,
// and the log's keys (CwSender, WinKeyState).

#include "transmit/TransmitController.h"

#include "log/ContestSession.h"
#include "log/EntryRowPort.h"
#include "platform/Prompts.h"
#include "transmit/CwMacros.h"
#include "transmit/MorseTable.h"
#include "transmit/WinKeyLink.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcTransmit, "velm.transmit", QtWarningMsg)

namespace velm {

namespace {
const QString kInvalidPortTitle = QStringLiteral("Invalid port.");
const QString kInvalidPortText = QStringLiteral(
    "The port you have selected for CW keying is invalid.  Please select another or enter 0 for none.");
const QString kPortRequiredTitle = QStringLiteral("A com port is required.");
const QString kPortRequiredText = QStringLiteral("Please enter a com port for CW rig interface.");
constexpr int kWinKeyPaceMs = 10;
} // namespace

// One run of a send loop; nested runs (a function key during a message) count as well, and CwSending
// stays true until the outermost ends.
struct TransmitController::SendScope {
    explicit SendScope(TransmitController& controller) : c(controller)
    {
        if (c.m_sendDepth++ == 0)
            c.m_problemShown = false;
    }
    ~SendScope()
    {
        --c.m_sendDepth;
        Q_EMIT c.progress();
    }
    TransmitController& c;
};

TransmitController::TransmitController(TransmitContext context, QObject* parent)
    : QObject(parent), m_context(std::move(context)), m_line(m_context.station, m_ports),
      m_engine(m_context.clock), m_winKey(m_context.winKeyLink, m_context.services.prompts, m_ports)
{
    m_tmrRepeat.setSingleShot(true);
    connect(&m_tmrRepeat, &QTimer::timeout, this, [this] { FKeyCW(kF1Code); });
    connect(&m_engine, &MorseEngine::progressed, this, &TransmitController::progress);
    connect(&m_engine, &MorseEngine::characterEnded, this, [this](CharacterEnd end) {
        if (end == CharacterEnd::LineFailed)
            invalidPort(QStringLiteral("The keying line could not be set."));
    });
    connect(&m_line, &CwKeyingLine::lost, this, [this](const QString& reason) {
        m_engine.stop();
        if (CwSending())
            invalidPort(reason);
    });
    WinKeyLink& link = m_context.winKeyLink;
    connect(&link, &WinKeyLink::breakIn, this, [this] {
        // The operator took over on the paddles: the message is over and is not repeated.
        m_cwBuffer.clear();
        m_cwRepeat = false;
        m_repeatWhenIdle = false;
        m_tmrRepeat.stop();
    });
    connect(&link, &WinKeyLink::idle, this, [this] {
        if (m_repeatWhenIdle && m_cwRepeat && !m_wkFeeding) {
            m_repeatWhenIdle = false;
            startRepeatTimer();
        }
    });
    connect(&link, &WinKeyLink::lost, this, [this](const QString& reason) {
        m_winKey.linkLost();
        m_cwBuffer.clear();
        m_cwRepeat = false;
        m_repeatWhenIdle = false;
        m_tmrRepeat.stop();
        sendProblem(QStringLiteral("The WinKey keyer on com port %1 closed.").arg(m_winKey.settings().port), reason,
                    QStringLiteral("WinKey Closed"));
        Q_EMIT progress();
    });
    m_ports.setCloser(TransmitPath::Cw, [this] {
        stopEngine();
        m_line.closeSerial();
    });
    m_ports.setCloser(TransmitPath::WinKey, [this] {
        if (m_context.winKeyLink.isOpen())
            m_winKey.CloseWinKey();
    });
    // The voice keyer's PTT port joins the rule when the voice keyer is built.
    m_ports.setCloser(TransmitPath::Voice, {});
    m_engine.setSpeed(speedOf(m_settings.speedText));
}

TransmitController::~TransmitController()
{
    m_stopping = true;
    m_engine.stop();
}

// --- Sending ---

void TransmitController::FKeyCW(int keyCode)
{
    m_cwBuffer.clear();
    m_engine.dropPending();
    // A new message also drops what the keyer still holds of the old one.
    if (m_settings.method == KeyingMethod::WinKey && m_context.winKeyLink.isOpen() &&
        m_context.winKeyLink.wk_getstatus() != 0)
        m_context.winKeyLink.wk_clearbuf();
    if (m_settings.method == KeyingMethod::None || m_stopping)
        return;
    QString message;
    if (const std::optional<int> index = messageIndexOfKeyCode(keyCode)) {
        message = m_settings.messages[*index];
        if (keyCode == kF1Code && repeatSecondsOf(m_settings.repeatText).value_or(0) > 0)
            m_cwRepeat = true;
    } else if (keyCode < kF1Code && m_keyboardCwMode && keyCode > 0) {
        message = QChar(keyCode).toUpper();
    } else {
        return;
    }
    if (message.isEmpty())
        return;
    const ExpandedMessage expanded =
        expandCwMacros(message, {m_context.session.currentCall(), m_context.session.currentReportSent()});
    if (expanded.reportUsed)
        m_context.session.setCurrentReportSent(expanded.reportSent);
    m_cwBuffer += expanded.text;
    LoopThroughCWBuffer();
    QCoreApplication::processEvents();
}

void TransmitController::LoopThroughCWBuffer()
{
    if (m_settings.method == KeyingMethod::WinKey) {
        winKeySend();
        return;
    }
    {
        const SendScope scope(*this);
        while (!m_cwBuffer.isEmpty() && !m_stopping) {
            if (!waitFor(&MorseEngine::acceptsNext) || m_cwBuffer.isEmpty())
                break;
            const QChar c = m_cwBuffer.front();
            m_cwBuffer.remove(0, 1);
            handOver(c);
            if (m_settings.displayOnMainWindow)
                Q_EMIT messageLine(m_cwBuffer);
        }
        waitFor(&MorseEngine::idle);
        // However the send ended, the line is up.
        m_line.releaseAll();
        if (m_sendDepth == 1 && m_cwRepeat && !m_stopping)
            startRepeatTimer();
    }
    endedSend();
}

void TransmitController::endedSend()
{
    if (m_sendDepth == 0 && m_settings.displayOnMainWindow && !m_stopping)
        Q_EMIT messageLine(m_keyboardCwMode ? kKeyboardCwOnText : QString());
}

void TransmitController::Transmit(QChar c)
{
    if (m_settings.method == KeyingMethod::WinKey) {
        m_cwBuffer += c;
        WKTransmit();
        return;
    }
    const SendScope scope(*this);
    if (!waitFor(&MorseEngine::acceptsNext))
        return;
    handOver(c);
    waitFor(&MorseEngine::idle);
    m_line.releaseAll();
}

bool TransmitController::waitFor(bool (MorseEngine::*ready)() const)
{
    QEventLoop loop;
    connect(this, &TransmitController::progress, &loop, &QEventLoop::quit);
    while (!(m_engine.*ready)() && !m_stopping)
        loop.exec();
    return !m_stopping;
}

void TransmitController::waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    connect(this, &TransmitController::progress, &loop, [this, &loop] {
        if (m_stopping)
            loop.quit();
    });
    loop.exec();
}

// Transmit's steps for one character, without waiting for it to be keyed.
void TransmitController::handOver(QChar c)
{
    if (m_settings.method == KeyingMethod::None)
        return;
    if (c == QLatin1Char('!')) {
        if (!m_context.session.currentCall().isEmpty() && m_entryRow)
            m_entryRow->commitEntryRow();
        return;
    }
    const QByteArray pattern = keyedPattern(c, wordSpaceOf(m_settings.wordSpaceText));
    if (pattern.isEmpty())
        return;
    if (m_engine.speed() < 1) {
        // No unit length below 1 WPM: nothing of this send is keyed.
        m_cwBuffer.clear();
        return;
    }
    KeyLine* line = keyLineForSend();
    if (!line)
        return;
    if (m_settings.timing == TimingMethod::Loop && !(m_settings.loopOffset > 0)) {
        CalibrateLoop();
        if (!(m_settings.loopOffset > 0) || m_stopping)
            return;
    }
    m_engine.send(MorseCharacter{pattern, line, m_settings.timing, m_settings.loopOffset});
}

KeyLine* TransmitController::keyLineForSend()
{
    QString reason;
    const KeyingMethod method = m_settings.method;
    if (method == KeyingMethod::Rts || method == KeyingMethod::Dtr) {
        if (portNumber() <= 0) {
            sendProblem(kPortRequiredText, QString(), kPortRequiredTitle);
            Q_EMIT setupWindowWanted();
            return nullptr;
        }
        if (!m_line.serialOpen()) {
            if (const QString failure = m_line.CWSetup(portNumber()); !failure.isEmpty()) {
                invalidPort(failure);
                return nullptr;
            }
        }
    }
    KeyLine* line = m_line.line(method, m_settings.parallelAddress, &reason);
    if (!line)
        invalidPort(reason);
    return line;
}

// A send that cannot go on: the operator hears of it once, the rest of the text is dropped and the repeat
// ends, so a missing port never times a whole message into silence.
void TransmitController::sendProblem(const QString& text, const QString& details, const QString& title)
{
    m_cwBuffer.clear();
    m_engine.dropPending();
    m_cwRepeat = false;
    m_repeatWhenIdle = false;
    m_tmrRepeat.stop();
    if (m_problemShown && CwSending())
        return;
    m_problemShown = true;
    qCDebug(lcTransmit) << title << details;
    m_context.services.prompts.beep();
    if (details.isEmpty())
        m_context.services.prompts.message(text, title, MessageIcon::Warning);
    else
        m_context.services.prompts.detailedMessage(text, details, title, MessageIcon::Warning);
}

void TransmitController::invalidPort(const QString& details)
{
    sendProblem(kInvalidPortText, details, kInvalidPortTitle);
    Q_EMIT setupWindowWanted();
}

void TransmitController::stopEngine()
{
    m_engine.stop();
    m_line.releaseAll();
}

// --- Repeat ---

void TransmitController::startRepeatTimer()
{
    const double seconds = repeatSecondsOf(m_settings.repeatText).value_or(0);
    if (seconds <= 0)
        return;
    m_tmrRepeat.start(int(seconds * 1000));
}

void TransmitController::stopCwRepeat()
{
    m_cwRepeat = false;
    m_repeatWhenIdle = false;
    if (winKeyInUse())
        m_context.winKeyLink.wk_clearbuf();
    m_cwBuffer.clear();
    m_engine.dropPending();
    m_tmrRepeat.stop();
}

// --- WinKey ---

void TransmitController::winKeySend()
{
    if (!m_context.session.currentCall().isEmpty() && m_cwBuffer.contains(QLatin1Char('!')) && m_entryRow)
        m_entryRow->commitEntryRow();
    WKTransmit();
    if (m_cwRepeat && !m_stopping)
        repeatAfterKeyerIdle();
}

// The repeat counts from the keyer going quiet, not from the last character handed to it.
void TransmitController::repeatAfterKeyerIdle()
{
    if (!m_context.winKeyLink.isOpen())
        return;
    if (m_context.winKeyLink.wk_getstatus() == 0) {
        startRepeatTimer();
        return;
    }
    m_repeatWhenIdle = true;
}

void TransmitController::WKTransmit()
{
    // A feeder already running takes what was appended.
    if (m_wkFeeding || m_stopping)
        return;
    WinKeyLink& link = m_context.winKeyLink;
    if (!link.isOpen()) {
        m_winKey.OpenWinKey();
        if (!link.isOpen()) {
            m_cwBuffer.clear();
            m_cwRepeat = false;
            return;
        }
    }
    {
        const SendScope scope(*this);
        m_wkFeeding = true;
        while (!m_cwBuffer.isEmpty() && link.isOpen() && !m_stopping) {
            while (link.wk_getstatus() >= WinKeyLink::kStatusFull && link.isOpen() && !m_stopping &&
                   !m_cwBuffer.isEmpty())
                waitMs(kWinKeyPaceMs);
            if (m_cwBuffer.isEmpty() || !link.isOpen() || m_stopping)
                break;
            const QChar c = m_cwBuffer.front();
            m_cwBuffer.remove(0, 1);
            if (c.unicode() <= 0xFF)
                link.wk_char(quint8(c.unicode()));
            waitMs(kWinKeyPaceMs);
        }
        m_wkFeeding = false;
        if (!link.isOpen())
            m_cwBuffer.clear();
    }
}

void TransmitController::appendForWinKey(const QString& text)
{
    const bool wasEmpty = m_cwBuffer.isEmpty();
    m_cwBuffer += text;
    if (wasEmpty)
        WKTransmit();
}

void TransmitController::winKeyTest()
{
    appendForWinKey(QStringLiteral("VVV TEST DE ") + m_context.session.preferences().OwnCall);
}

void TransmitController::winKeyBufferTest()
{
    QString alphabet;
    for (char c = 'A'; c <= 'Z'; ++c)
        alphabet += QLatin1Char(c);
    alphabet += QLatin1Char(' ');
    appendForWinKey(alphabet.repeated(3));
}

void TransmitController::winKeyStop()
{
    m_context.winKeyLink.wk_clearbuf();
    m_cwBuffer.clear();
}

void TransmitController::winKeyTyped(QChar c)
{
    // Only text reaches the keyer: Enter, Escape and other control codes are commands to it.
    if (c.unicode() < 0x20 || c.unicode() > 0x7E)
        return;
    appendForWinKey(QString(c.toUpper()));
}

bool TransmitController::winKeyInUse() const
{
    return m_settings.method == KeyingMethod::WinKey && m_context.winKeyLink.isOpen();
}

bool TransmitController::winKeyBusy() const
{
    return m_context.winKeyLink.wk_getstatus() != 0;
}

void TransmitController::winKeyClearBuffer()
{
    m_context.winKeyLink.wk_clearbuf();
    m_repeatWhenIdle = false;
}

void TransmitController::winKeyBackspace()
{
    // Text not yet handed to the keyer goes first.
    if (!m_cwBuffer.isEmpty())
        m_cwBuffer.chop(1);
    else
        m_context.winKeyLink.wk_backspace();
}

// --- Closing ---

void TransmitController::shutdown()
{
    m_stopping = true;
    m_cwBuffer.clear();
    m_cwRepeat = false;
    m_repeatWhenIdle = false;
    m_tmrRepeat.stop();
    m_engine.stop();
    m_line.closeAll();
    if (m_context.winKeyLink.isOpen()) {
        m_context.winKeyLink.wk_clearbuf();
        m_context.winKeyLink.wk_close();
        m_winKey.linkLost();
    }
    Q_EMIT progress();
}

} // namespace velm
