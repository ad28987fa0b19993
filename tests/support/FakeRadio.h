#pragma once
// Responsibilities: transceivers for tests, each on the far end of a socat pseudo-terminal pair and speaking
// its protocol's real bytes: Kenwood/Elecraft text ("IF", "?;", the FTdx9000's MD0 and 8- or 9-digit FA),
// Icom CI-V (bus echo, FB/FA, collisions, transceive broadcasts, the 735's 4-byte frequency), Yaesu 5-byte
// commands with each model's status record at its real length, Ten-Tec Orion text and the front-panel binary
// protocol. Each takes the frequency and mode sets, and on cue garbles, cuts, splits, delays or withholds its
// replies, or chatters. For the rig link's end-to-end tests.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QRandomGenerator>
#include <QSerialPort>
#include <QTimer>

namespace velm::test {

class FakeRadio : public QObject {
    Q_OBJECT
public:
    enum class Model {
        Kenwood,  // also Elecraft
        Kenwood2, // answers IF
        FTdx9000,
        Icom,
        Icom735,
        OmniVI,
        Yaesu, // 00 00 00 00 03: BCD frequency and mode
        Yaesu757,
        Yaesu890,
        Yaesu920,
        Yaesu990,
        Yaesu1000D,
        Yaesu1000,
        Orion,
        FrontPanel,
    };
    enum class Mode { Lsb, Usb, Cw, CwReverse, Am, Fm };
    enum class Misbehaviour {
        None,
        Garble,   // a digit or byte of the frequency replaced
        Cut,      // each reply ends inside its frequency (halfway when it has none)
        Split,    // that part at once, the rest after delayMs
        Delay,    // each reply after delayMs
        Withhold, // no reply
    };

    explicit FakeRadio(Model model, QObject* parent = nullptr);
    ~FakeRadio() override;

    // The model that answers a rig type of the rig window ("Elecraft" is a Kenwood here).
    static Model modelFor(const QString& rigType);

    bool open(const QString& device);
    void close();
    QString errorString() const { return m_port.errorString(); }

    // The radio's state; sets from the program change it.
    quint64 hertz = 14025000;
    Mode mode = Mode::Cw;
    int vfo = 0;
    int frequencyDigits = 9; // FTdx9000 family: 8 on the older sets
    bool busEcho = true;     // CI-V on a one-wire bus hears its controller's frames
    quint8 civAddress = 0x64;

    Misbehaviour misbehaviour = Misbehaviour::None;
    int delayMs = 400;

    // Junk written every intervalMs, from a seeded generator.
    void startChatter(int intervalMs);
    void stopChatter();
    // CI-V transceive: an unasked frequency frame to address 00.
    void broadcastFrequency();
    // CI-V: a collision mark on the bus.
    void collide();

    // What the radio saw: every complete command, the Yaesu and Orion open and close commands.
    QList<QByteArray> commands;
    int requests = 0; // reads answered (or withheld)
    int opens = 0, closes = 0;

Q_SIGNALS:
    void commandSeen();

private:
    void readInput();
    void parseText(char terminator);
    void parseCiv();
    void parseYaesu();
    void parseFrontPanel();
    QByteArray textReply(const QByteArray& command);
    QByteArray orionReply(const QByteArray& command);
    QByteArray civReply(const QByteArray& frame);
    QByteArray yaesuReply(const QByteArray& command);
    QByteArray yaesuStatusRecord() const;
    void reply(QByteArray bytes, int frequencyAt);
    void send(const QByteArray& bytes);

    Model m_model;
    QSerialPort m_port;
    QByteArray m_input;
    QTimer m_chatter;
    QRandomGenerator m_random{4711};
};

} // namespace velm::test
