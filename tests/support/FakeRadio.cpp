#include "support/FakeRadio.h"

namespace velm::test {

namespace {

// BCD of value in count bytes, least significant first.
QByteArray bcdLittleEndian(quint64 value, int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        const int low = int(value % 10);
        value /= 10;
        const int high = int(value % 10);
        value /= 10;
        bytes += char(high << 4 | low);
    }
    return bytes;
}

QByteArray reversed(QByteArray bytes)
{
    std::reverse(bytes.begin(), bytes.end());
    return bytes;
}

quint64 fromBcdLittleEndian(QByteArrayView bytes)
{
    quint64 value = 0;
    for (qsizetype i = bytes.size() - 1; i >= 0; --i) {
        const auto byte = quint8(bytes[i]);
        value = value * 100 + (byte >> 4) * 10 + (byte & 0x0F);
    }
    return value;
}

QByteArray bigEndian(quint64 value, int count)
{
    QByteArray bytes(count, '\0');
    for (int i = count - 1; i >= 0; --i, value >>= 8)
        bytes[i] = char(value & 0xFF);
    return bytes;
}

bool allDigits(QByteArrayView text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

using Mode = FakeRadio::Mode;

// Kenwood MD / IF and the FTdx9000's MD0 digits.
char kenwoodDigit(Mode mode)
{
    switch (mode) {
    case Mode::Lsb:
        return '1';
    case Mode::Usb:
        return '2';
    case Mode::Cw:
        return '3';
    case Mode::Fm:
        return '4';
    case Mode::Am:
        return '5';
    case Mode::CwReverse:
        return '7';
    }
    return '2';
}

std::optional<Mode> kenwoodMode(char digit)
{
    switch (digit) {
    case '1':
        return Mode::Lsb;
    case '2':
        return Mode::Usb;
    case '3':
        return Mode::Cw;
    case '4':
        return Mode::Fm;
    case '5':
        return Mode::Am;
    case '7':
        return Mode::CwReverse;
    default:
        return std::nullopt;
    }
}

const char kOrionModes[] = {'1', '0', '2', '3', '4', '5'}; // by Mode: LSB 1, USB 0, CW 2, CW-R 3, AM 4, FM 5
const char kFrontPanelModes[] = {'2', '1', '3', '3', '0', '4'}; // LSB 2, USB 1, CW 3, AM 0, FM 4
const quint8 kIcomModes[] = {0x00, 0x01, 0x03, 0x07, 0x02, 0x05};
const quint8 k817Modes[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x08};
const quint8 k757Modes[] = {0, 1, 2, 3, 4, 5};
const quint8 kStatusModes[] = {0, 1, 2, 2, 3, 4};
const quint8 k920Modes[] = {0x00, 0x40, 0x41, 0x01, 0x02, 0x03};

template <typename T, std::size_t N> std::optional<Mode> modeOf(const T (&table)[N], T code)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (table[i] == code)
            return Mode(i);
    }
    return std::nullopt;
}

} // namespace

FakeRadio::FakeRadio(Model model, QObject* parent) : QObject(parent), m_model(model)
{
    if (model == Model::OmniVI)
        civAddress = 0x04;
    connect(&m_port, &QSerialPort::readyRead, this, &FakeRadio::readInput);
    connect(&m_chatter, &QTimer::timeout, this, [this] {
        QByteArray junk;
        const int length = 1 + int(m_random.bounded(8));
        for (int i = 0; i < length; ++i)
            junk += char(m_random.bounded(256));
        send(junk);
    });
}

FakeRadio::~FakeRadio()
{
    close();
}

FakeRadio::Model FakeRadio::modelFor(const QString& rigType)
{
    static const QList<std::pair<const char*, Model>> models{{"Kenwood", Model::Kenwood},
                                                             {"Elecraft", Model::Kenwood},
                                                             {"Kenwood 2", Model::Kenwood2},
                                                             {"Yaesu FTdx9000", Model::FTdx9000},
                                                             {"Icom", Model::Icom},
                                                             {"Icom 735", Model::Icom735},
                                                             {"Ten Tec Omni VI", Model::OmniVI},
                                                             {"Yaesu", Model::Yaesu},
                                                             {"Yaesu 757 GX II", Model::Yaesu757},
                                                             {"Yaesu 890", Model::Yaesu890},
                                                             {"Yaesu 920", Model::Yaesu920},
                                                             {"Yaesu 990", Model::Yaesu990},
                                                             {"Yaesu 1000 D", Model::Yaesu1000D},
                                                             {"Yaesu 1000", Model::Yaesu1000},
                                                             {"Ten Tec Orion", Model::Orion},
                                                             {"Ten Tec Fnt Pnl", Model::FrontPanel}};
    for (const auto& [name, model] : models) {
        if (rigType == QLatin1String(name))
            return model;
    }
    return Model::Kenwood;
}

bool FakeRadio::open(const QString& device)
{
    m_port.setPortName(device);
    return m_port.open(QIODevice::ReadWrite);
}

void FakeRadio::close()
{
    m_chatter.stop();
    if (m_port.isOpen())
        m_port.close();
}

void FakeRadio::startChatter(int intervalMs)
{
    m_chatter.start(intervalMs);
}

void FakeRadio::stopChatter()
{
    m_chatter.stop();
}

void FakeRadio::send(const QByteArray& bytes)
{
    if (m_port.isOpen() && !bytes.isEmpty())
        m_port.write(bytes);
}

void FakeRadio::reply(QByteArray bytes, int frequencyAt)
{
    ++requests;
    // A cut reply ends inside the frequency, or halfway through a reply without one: the field it carries
    // is never whole.
    const qsizetype cutAt =
        frequencyAt >= 0 && frequencyAt < bytes.size() ? frequencyAt + 1 : bytes.size() / 2;
    switch (misbehaviour) {
    case Misbehaviour::None:
        send(bytes);
        break;
    case Misbehaviour::Garble:
        if (frequencyAt >= 0 && frequencyAt < bytes.size()) {
            char& c = bytes[frequencyAt];
            c = (c >= '0' && c <= '9') ? 'X' : char(0xAA);
        }
        send(bytes);
        break;
    case Misbehaviour::Cut:
        send(bytes.left(cutAt));
        break;
    case Misbehaviour::Split:
        send(bytes.left(cutAt));
        QTimer::singleShot(delayMs, this, [this, rest = bytes.mid(cutAt)] { send(rest); });
        break;
    case Misbehaviour::Delay:
        QTimer::singleShot(delayMs, this, [this, bytes] { send(bytes); });
        break;
    case Misbehaviour::Withhold:
        break;
    }
}

void FakeRadio::readInput()
{
    m_input += m_port.readAll();
    switch (m_model) {
    case Model::Kenwood:
    case Model::Kenwood2:
    case Model::FTdx9000:
        parseText(';');
        break;
    case Model::Orion:
        parseText('\r');
        break;
    case Model::Icom:
    case Model::Icom735:
    case Model::OmniVI:
        parseCiv();
        break;
    case Model::FrontPanel:
        parseFrontPanel();
        break;
    default:
        parseYaesu();
        break;
    }
}

// ---- Kenwood, Elecraft, FTdx9000, Orion: text commands ----

void FakeRadio::parseText(char terminator)
{
    for (qsizetype end; (end = m_input.indexOf(terminator)) >= 0;) {
        const QByteArray command = m_input.left(end);
        m_input.remove(0, end + 1);
        commands << command;
        Q_EMIT commandSeen();
        if (m_model == Model::Orion) {
            if (command == "X") {
                ++opens;
                continue;
            }
            if (const QByteArray answer = orionReply(command); !answer.isEmpty())
                reply(answer, 6);
            continue;
        }
        if (const QByteArray answer = textReply(command); !answer.isEmpty())
            reply(answer, answer.startsWith("MD") ? -1 : 5);
    }
}

QByteArray FakeRadio::textReply(const QByteArray& command)
{
    const bool ftdx = m_model == Model::FTdx9000;
    if (command == "FA") {
        const int digits = ftdx ? frequencyDigits : 11;
        return "FA" + QByteArray::number(hertz).rightJustified(digits, '0') + ';';
    }
    if (command.startsWith("FA") && allDigits(command.sliced(2))) {
        hertz = command.sliced(2).toULongLong();
        return {};
    }
    if (ftdx && command == "MD0")
        return QByteArray("MD0") + kenwoodDigit(mode) + ';';
    if (ftdx && command.size() == 4 && command.startsWith("MD0")) {
        if (const std::optional<Mode> set = kenwoodMode(command[3]))
            mode = *set;
        return {};
    }
    if (!ftdx && command == "MD")
        return QByteArray("MD") + kenwoodDigit(mode) + ';';
    if (!ftdx && command.size() == 3 && command.startsWith("MD")) {
        if (const std::optional<Mode> set = kenwoodMode(command[2]))
            mode = *set;
        return {};
    }
    if (command == "IF") {
        // 38 characters: frequency 2-12, RIT/XIT, memory, TX 28, mode 29, VFO 30, scan, split, tone.
        return "IF" + QByteArray::number(hertz).rightJustified(11, '0') + "     +0000000000" +
               kenwoodDigit(mode) + char('0' + vfo) + "000000;";
    }
    return "?;";
}

QByteArray FakeRadio::orionReply(const QByteArray& command)
{
    if (command == "?AF")
        return "@AF" + QByteArray::number(hertz) + '\r';
    if (command == "?RMM")
        return QByteArray("@RMM") + kOrionModes[int(mode)] + '\r';
    if (command.startsWith("*AF") && allDigits(command.sliced(3)))
        hertz = command.sliced(3).toULongLong();
    else if (command.startsWith("*RMM") && command.size() == 5)
        mode = modeOf(kOrionModes, command[4]).value_or(mode);
    return {};
}

// ---- Icom CI-V ----

void FakeRadio::parseCiv()
{
    for (;;) {
        const qsizetype start = m_input.indexOf("\xFE\xFE");
        if (start < 0) {
            m_input.clear();
            return;
        }
        const qsizetype end = m_input.indexOf('\xFD', start);
        if (end < 0) {
            m_input.remove(0, start);
            return;
        }
        const QByteArray frame = m_input.mid(start, end - start + 1);
        m_input.remove(0, end + 1);
        commands << frame;
        Q_EMIT commandSeen();
        if (busEcho)
            send(frame);
        if (frame.size() < 6 || quint8(frame[2]) != civAddress)
            continue; // for another radio on the bus
        const QByteArray answer = civReply(frame);
        reply(answer, answer.size() > 5 && answer[4] == '\x03' ? 6 : -1);
    }
}

QByteArray FakeRadio::civReply(const QByteArray& frame)
{
    const char controller = frame[3];
    const auto answer = [&](quint8 command, const QByteArray& data) {
        return QByteArray("\xFE\xFE") + controller + char(civAddress) + char(command) + data + '\xFD';
    };
    const QByteArray ok = QByteArray("\xFE\xFE") + controller + char(civAddress) + "\xFB\xFD";
    const QByteArray ng = QByteArray("\xFE\xFE") + controller + char(civAddress) + "\xFA\xFD";
    const int frequencyBytes = m_model == Model::Icom735 ? 4 : 5;
    const QByteArray data = frame.mid(5, frame.size() - 6);
    switch (quint8(frame[4])) {
    case 0x03:
        return answer(0x03, bcdLittleEndian(hertz, frequencyBytes));
    case 0x04:
        return answer(0x04, QByteArray(1, char(kIcomModes[int(mode)])) + '\x01');
    case 0x05:
        if (data.size() != frequencyBytes)
            return ng;
        hertz = fromBcdLittleEndian(data);
        return ok;
    case 0x06: {
        const std::optional<Mode> set = data.isEmpty() ? std::nullopt : modeOf(kIcomModes, quint8(data[0]));
        if (!set)
            return ng;
        mode = *set;
        return ok;
    }
    default:
        return ng;
    }
}

void FakeRadio::broadcastFrequency()
{
    send(QByteArray("\xFE\xFE\x00", 3) + char(civAddress) + '\x00' +
         bcdLittleEndian(hertz, m_model == Model::Icom735 ? 4 : 5) + '\xFD');
}

void FakeRadio::collide()
{
    send("\xFC\xFC\xFC");
}

// ---- Ten-Tec front panel ----

void FakeRadio::parseFrontPanel()
{
    while (!m_input.isEmpty()) {
        if (m_input.startsWith("?A\r") || m_input.startsWith("?M\r")) {
            const bool frequency = m_input[1] == 'A';
            commands << m_input.left(3);
            m_input.remove(0, 3);
            Q_EMIT commandSeen();
            if (frequency)
                reply("A" + bigEndian(hertz, 4) + '\r', 1);
            else
                reply(QByteArray("M") + kFrontPanelModes[int(mode)] + kFrontPanelModes[int(mode)] + '\r', -1);
            continue;
        }
        if (m_input.startsWith("*A") || m_input.startsWith("*M")) {
            const int size = m_input[1] == 'A' ? 7 : 5;
            if (m_input.size() < size)
                return;
            const QByteArray command = m_input.left(size);
            m_input.remove(0, size);
            commands << command;
            Q_EMIT commandSeen();
            if (command[size - 1] != '\r')
                continue;
            if (command[1] == 'A') {
                hertz = 0;
                for (int i = 2; i < 6; ++i)
                    hertz = hertz << 8 | quint8(command[i]);
            } else {
                mode = modeOf(kFrontPanelModes, command[2]).value_or(mode);
            }
            continue;
        }
        if (m_input.size() < 3 && (m_input[0] == '?' || m_input[0] == '*'))
            return; // the rest is on its way
        m_input.remove(0, 1);
    }
}

// ---- Yaesu 5-byte commands ----

void FakeRadio::parseYaesu()
{
    while (m_input.size() >= 5) {
        const QByteArray command = m_input.left(5);
        m_input.remove(0, 5);
        commands << command;
        Q_EMIT commandSeen();
        if (const QByteArray answer = yaesuReply(command); !answer.isEmpty())
            reply(answer, m_model == Model::Yaesu ? 1 : m_model == Model::Yaesu757 ? 6 : 2);
    }
}

QByteArray FakeRadio::yaesuReply(const QByteArray& command)
{
    const auto opcode = quint8(command[4]);
    if (command == QByteArray(5, '\0')) {
        ++opens;
        return {};
    }
    if (opcode == 0x80 && command.startsWith(QByteArray(4, '\0'))) {
        ++closes;
        return {};
    }
    if (m_model == Model::Yaesu) {
        // The FT-817 family's table: 03 reads, 01 sets the frequency (BCD, most significant first), 07 the
        // mode.
        if (opcode == 0x03)
            return reversed(bcdLittleEndian(hertz / 10, 4)) + char(k817Modes[int(mode)]);
        if (opcode == 0x01)
            hertz = fromBcdLittleEndian(reversed(command.left(4))) * 10;
        if (opcode == 0x07)
            mode = modeOf(k817Modes, quint8(command[0])).value_or(mode);
        return {};
    }
    if (opcode == 0x10)
        return yaesuStatusRecord();
    if (opcode == 0x0A) // the frequency in 10 Hz steps, BCD, least significant first
        hertz = fromBcdLittleEndian(command.left(4)) * 10;
    if (opcode == 0x0C) {
        const auto code = quint8(command[3]);
        const std::optional<Mode> set = m_model == Model::Yaesu757   ? modeOf(k757Modes, code)
                                        : m_model == Model::Yaesu920 ? modeOf(k920Modes, code)
                                                                     : modeOf(kStatusModes, code);
        mode = set.value_or(mode);
    }
    return {};
}

QByteArray FakeRadio::yaesuStatusRecord() const
{
    const quint64 steps = hertz / 10;
    QByteArray record;
    switch (m_model) {
    case Model::Yaesu757:
        record = QByteArray(75, '\0');
        record.replace(5, 4, bcdLittleEndian(steps, 4));
        record[9] = char(k757Modes[int(mode)]);
        break;
    case Model::Yaesu890:
        record = QByteArray(19, '\0');
        record.replace(2, 3, bigEndian(steps, 3));
        record[7] = char(kStatusModes[int(mode)]);
        break;
    case Model::Yaesu920:
        record = QByteArray(28, '\0');
        record.replace(1, 4, bigEndian(hertz, 4));
        record[7] = char(k920Modes[int(mode)]);
        break;
    case Model::Yaesu1000: {
        // Six hex digits of the 10 Hz steps from the low digit of byte 2 to the high digit of byte 5.
        record = QByteArray(16, '\0');
        const quint32 v = quint32(steps) & 0xFFFFFF;
        record[1] = char((v >> 20) & 0x0F);
        record[2] = char((v >> 12) & 0xFF);
        record[3] = char((v >> 4) & 0xFF);
        record[4] = char((v & 0x0F) << 4);
        record[7] = char(kStatusModes[int(mode)]);
        break;
    }
    default: { // 990 (two 16-byte records) and 1000 D (one)
        QByteArray one(16, '\0');
        one.replace(1, 3, bigEndian(steps, 3));
        one[7] = char(kStatusModes[int(mode)]);
        record = m_model == Model::Yaesu990 ? one + one : one;
        break;
    }
    }
    return record;
}

} // namespace velm::test
