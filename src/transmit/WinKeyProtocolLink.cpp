#include "transmit/WinKeyProtocolLink.h"

#include "platform/SerialPortTable.h"

#include <QEventLoop>
#include <QLoggingCategory>

#include <algorithm>
#include <initializer_list>

Q_LOGGING_CATEGORY(lcWinKey, "velm.transmit.winkey", QtWarningMsg)

namespace velm {

namespace {

// Host commands (winkeyer.md).
constexpr char kAdmin = 0x00;
constexpr char kAdminEcho = 0x04;
constexpr char kAdminHostOpen = 0x02;
constexpr char kAdminHostClose = 0x03;
constexpr char kSetWpm = 0x02;
constexpr char kSetWeight = 0x03;
constexpr char kSetLeadTail = 0x04;
constexpr char kBackspace = 0x08;
constexpr char kPinConfig = 0x09;
constexpr char kClearBuffer = 0x0A;
constexpr char kModeRegister = 0x0E;
constexpr char kNull = 0x13;
constexpr char kRequestStatus = 0x15;
constexpr char kRatio = 0x17;
constexpr char kMerge = 0x1B;
constexpr char kEchoProbe = 'U';

// Bytes from the keyer.
constexpr quint8 kStatusTag = 0xC0;
constexpr quint8 kPotTag = 0x80;
constexpr quint8 kXoff = 0x01;
constexpr quint8 kBreakIn = 0x02;
constexpr quint8 kBusy = 0x04;

QByteArray wire(std::initializer_list<char> bytes)
{
    return QByteArray(bytes.begin(), qsizetype(bytes.size()));
}

const QByteArray kCloseBytes("\x0A\x00\x03", 3);

// The longest character the program sends (CL) is 24 units with its gap; the pot can go down to 5 WPM.
constexpr int kUnitsPerCharacter = 24;
constexpr int kSlowestWpm = 5;

} // namespace

QByteArray winKeyTextBytes(quint8 code)
{
    if (code >= 'a' && code <= 'z')
        code = quint8(code - 'a' + 'A');
    switch (code) {
    case '[':
        return wire({kMerge, 'A', 'R'});
    case ']':
        return wire({kMerge, 'S', 'K'});
    case ';':
        return wire({kMerge, 'K', 'N'});
    case '\\':
        return wire({kMerge, 'C', 'L'});
    case '!':
        return {};
    default:
        break;
    }
    if (code < 0x20 || code > 0x7E)
        return {};
    return QByteArray(1, char(code));
}

WinKeyProtocolLink::WinKeyProtocolLink(const SerialPortTable& ports, std::unique_ptr<SerialLine> line,
                                       WinKeyTimings timings, QObject* parent)
    : WinKeyLink(parent), m_ports(ports), m_line(std::move(line)), m_timings(timings)
{
    m_line->setParent(nullptr);
    m_quiet.setSingleShot(true);
    m_statusReply.setSingleShot(true);
    connect(&m_quiet, &QTimer::timeout, this, &WinKeyProtocolLink::quietTooLong);
    connect(&m_statusReply, &QTimer::timeout, this,
            [this] { lose(QStringLiteral("the keyer stopped answering")); });
    connect(m_line.get(), &SerialLine::readyRead, this, &WinKeyProtocolLink::readBytes);
    connect(m_line.get(), &SerialLine::failed, this, [this](SerialError, const QString& reason) {
        if (m_open)
            lose(reason);
    });
}

WinKeyProtocolLink::~WinKeyProtocolLink()
{
    if (m_open)
        wk_close();
}

int WinKeyProtocolLink::failOpen(int code, const QString& reason)
{
    m_openFailure = reason;
    qCDebug(lcWinKey) << "open failed" << code << reason;
    m_line->close();
    m_opening = false;
    return code;
}

bool WinKeyProtocolLink::waitFor(const std::function<bool()>& done, int timeoutMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    const auto check = [&] {
        if (done() || !m_line->isOpen())
            loop.quit();
    };
    const QMetaObject::Connection reading = connect(m_line.get(), &SerialLine::readyRead, &loop, check);
    const QMetaObject::Connection failing = connect(m_line.get(), &SerialLine::failed, &loop, &QEventLoop::quit);
    timeout.start(timeoutMs);
    // The window repaints meanwhile; keys and clicks wait until the keyer answered.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    disconnect(reading);
    disconnect(failing);
    return done();
}

int WinKeyProtocolLink::wk_open(quint8& version, int portNumber)
{
    if (m_open || m_opening)
        return kAlreadyOpen;
    version = 0;
    m_opening = true;
    m_openFailure.clear();
    const QString device = m_ports.devicePath(portNumber);
    if (device.isEmpty())
        return failOpen(kComOpenFailed, QStringLiteral("no port chosen (port %1)").arg(portNumber));
    // The port's own state first, then the keyer's line settings.
    if (!m_line->open(device)) {
        const int code =
            m_line->error() == SerialError::SettingsRejected ? kGetComStateFailed : kComOpenFailed;
        return failOpen(code, serialOpenFailureText(device, m_line->error(), m_line->errorString()));
    }
    if (!m_line->setSettings(SerialLineSettings{1200, Parity::None, 8, 2}))
        return failOpen(kSetComStateFailed, serialOpenFailureText(device, m_line->error(), m_line->errorString()));
    m_line->setEmergencyBytes(kCloseBytes);
    // Keyers powered from the port take DTR; a pseudo-terminal has none.
    if (m_line->hasModemLines())
        m_line->setDtr(true);
    m_received.clear();
    waitFor([] { return false; }, m_timings.powerUpMs);
    if (!m_line->isOpen())
        return failOpen(kComOpenFailed, m_line->errorString());

    m_received.clear();
    m_line->write(QByteArray(4, kNull) + wire({kAdmin, kAdminEcho, kEchoProbe}));
    // Status or pot bytes of a keyer left open by another program may come first.
    const auto firstReply = [this]() -> int {
        for (char c : std::as_const(m_received)) {
            if ((quint8(c) & kPotTag) == 0)
                return quint8(c);
        }
        return -1;
    };
    if (!waitFor([&] { return firstReply() >= 0; }, m_timings.echoTimeoutMs))
        return failOpen(kNoEcho, QStringLiteral("no echo"));
    if (firstReply() != kEchoProbe)
        return failOpen(kEchoMismatch, QStringLiteral("echo 0x%1").arg(firstReply(), 2, 16, QLatin1Char('0')));

    m_received.clear();
    m_line->write(wire({kAdmin, kAdminHostOpen}));
    if (!waitFor([&] { return firstReply() > 0; }, m_timings.openTimeoutMs))
        return failOpen(kNoOpenResponse, QStringLiteral("no version"));
    version = quint8(firstReply());
    m_open = true;
    m_opening = false;
    m_pending = 0;
    m_xoff = m_breakIn = m_statusAsked = false;
    m_wordsPerMinute = 0;
    // Serial echo is what tells how much has been sent.
    m_line->write(wire({kModeRegister, char(kSerialEcho)}));
    m_received.clear();
    return kSuccess;
}

int WinKeyProtocolLink::wk_close()
{
    if (!m_open)
        return kNotOpen;
    m_open = false;
    m_quiet.stop();
    m_statusReply.stop();
    m_pending = 0;
    m_xoff = m_breakIn = false;
    m_line->write(kCloseBytes);
    m_line->close();
    return kSuccess;
}

int WinKeyProtocolLink::command(const QByteArray& bytes)
{
    if (!m_open)
        return kNotOpen;
    // A failed write closes the line, which reports the loss by itself.
    return m_line->write(bytes) < 0 ? kNotOpen : kSuccess;
}

int WinKeyProtocolLink::wk_char(quint8 code)
{
    if (!m_open)
        return kNotOpen;
    const QByteArray bytes = winKeyTextBytes(code);
    if (bytes.isEmpty())
        return kSuccess;
    const int result = command(bytes);
    if (result == kSuccess) {
        // Serial echo returns each letter keyed, so a merged prosign comes back as two.
        m_pending += bytes.front() == kMerge ? 2 : 1;
        m_sinceText.start();
        watchQuiet();
    }
    return result;
}

int WinKeyProtocolLink::wk_getstatus()
{
    if (!m_open)
        return 0;
    return m_xoff ? std::max(m_pending, int(kStatusFull)) : m_pending;
}

int WinKeyProtocolLink::wk_clearbuf()
{
    const int result = command(QByteArray(1, kClearBuffer));
    if (result == kSuccess) {
        m_pending = 0;
        m_xoff = false;
        watchQuiet();
    }
    return result;
}

int WinKeyProtocolLink::wk_backspace()
{
    const int result = command(QByteArray(1, kBackspace));
    if (result == kSuccess && m_pending > 0)
        --m_pending;
    return result;
}

int WinKeyProtocolLink::wk_wpm(quint8 wordsPerMinute)
{
    // 0 hands the speed to the pot; the keyer's own range is 5-99.
    const quint8 speed = wordsPerMinute == 0 ? 0 : std::clamp<quint8>(wordsPerMinute, 5, 99);
    const int result = command(wire({kSetWpm, char(speed)}));
    if (result == kSuccess)
        m_wordsPerMinute = speed;
    return result;
}

int WinKeyProtocolLink::wk_weight(quint8 weight)
{
    return command(wire({kSetWeight, char(std::clamp<quint8>(weight, 10, 90))}));
}

int WinKeyProtocolLink::wk_ditdah_ratio(quint8 ratio)
{
    return command(wire({kRatio, char(std::clamp<quint8>(ratio, 33, 66))}));
}

int WinKeyProtocolLink::wk_ptt_leadtail(quint8 leadIn, quint8 tail)
{
    constexpr quint8 kLongest = 250;
    return command(wire({kSetLeadTail, char(std::min(leadIn, kLongest)), char(std::min(tail, kLongest))}));
}

int WinKeyProtocolLink::wk_pincfg(quint8 configuration)
{
    return command(wire({kPinConfig, char(configuration)}));
}

int WinKeyProtocolLink::wk_setmode(quint8 mode)
{
    return command(wire({kModeRegister, char(mode | kSerialEcho)}));
}

void WinKeyProtocolLink::readBytes()
{
    const QByteArray bytes = m_line->read();
    if (!m_open) {
        if (m_opening)
            m_received += bytes;
        return;
    }
    for (char c : bytes) {
        handle(quint8(c));
        if (!m_open)
            return;
    }
}

void WinKeyProtocolLink::handle(quint8 byte)
{
    const int pendingBefore = m_pending;
    m_statusReply.stop();
    if ((byte & kStatusTag) == kStatusTag) {
        const bool breakInBefore = m_breakIn;
        m_xoff = byte & kXoff;
        m_breakIn = byte & kBreakIn;
        const bool busy = byte & kBusy;
        if (m_breakIn && !breakInBefore) {
            m_pending = 0;
            m_xoff = false;
            Q_EMIT breakIn();
        } else if (!busy && !m_xoff && !m_breakIn &&
                   (m_statusAsked || !m_sinceText.isValid() || m_sinceText.elapsed() >= m_timings.idleSettleGuardMs)) {
            // Idle: whatever echo went missing, nothing is pending any more.
            m_pending = 0;
        }
        m_statusAsked = false;
    } else if ((byte & kStatusTag) == kPotTag) {
        // The speed pot moved: the keyer applies it itself.
    } else if (m_pending > 0) {
        --m_pending; // the echo of a character sent
    }
    if (pendingBefore > 0 && m_pending == 0)
        Q_EMIT idle();
    if (m_open)
        watchQuiet();
}

void WinKeyProtocolLink::watchQuiet()
{
    if (m_pending == 0 && !m_xoff) {
        m_quiet.stop();
        return;
    }
    const int wpm = m_wordsPerMinute > 0 ? m_wordsPerMinute : kSlowestWpm;
    const int msPerCharacter = kUnitsPerCharacter * 1200 / wpm;
    m_quiet.start(m_timings.quietMarginMs + std::max(m_pending, 1) * msPerCharacter);
}

void WinKeyProtocolLink::quietTooLong()
{
    if (!m_open || (m_pending == 0 && !m_xoff))
        return;
    m_statusAsked = true;
    if (command(QByteArray(1, kRequestStatus)) == kSuccess)
        m_statusReply.start(m_timings.statusTimeoutMs);
}

void WinKeyProtocolLink::lose(const QString& reason)
{
    if (!m_open)
        return;
    qCDebug(lcWinKey) << "lost" << reason;
    m_open = false;
    m_quiet.stop();
    m_statusReply.stop();
    m_pending = 0;
    m_xoff = m_breakIn = false;
    if (m_line->isOpen()) {
        m_line->write(kCloseBytes);
        m_line->close();
    }
    Q_EMIT lost(reason);
}

} // namespace velm
