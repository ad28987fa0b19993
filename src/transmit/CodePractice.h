#pragma once
// Responsibilities: on-the-air code practice: random groups from the practice alphabet, sending a text one
// character at a time through the CW keyer while it may still be edited, stopping, and live typing.

#include "log/CwSender.h"
#include "log/WinKeyState.h"

#include <QString>
#include <functional>
#include <memory>

namespace velm {

// Positions 1 to 41: "A" to "Z", "0" to "9", then ". , ? / -".
const QString& PracticeAlphabet();
inline constexpr int LettersOnlyCount = 26;

// Uniform numbers in [0, 1), seeded anew for every generation.
class PracticeRandom {
public:
    virtual ~PracticeRandom() = default;
    virtual void reseed() = 0;
    virtual double uniform() = 0;
};
// From the clock and the system's entropy.
std::unique_ptr<PracticeRandom> systemPracticeRandom();

// A groups or length field: a whole number 1 ... 999, otherwise the default.
int practiceCount(const QString& text, int defaultValue);
inline constexpr int DefaultGroups = 10;
inline constexpr int DefaultGroupLength = 5;

// groups x length characters, a blank after each group.
QString generatePractice(int groups, int length, bool lettersOnly, PracticeRandom& random);

class CodePractice {
public:
    CodePractice(CwSender& cw, WinKeyState& winKey) : m_cw(cw), m_winKey(winKey) {}

    // What the send loop reads and reports; the window provides them.
    struct SendView {
        std::function<QString()> text;      // "Text to Send" as it stands now
        std::function<void(QChar)> sent;    // a character went to the keyer: append to "Text Sent"
        std::function<void(int)> position;  // the caret of "Text to Send" (0-based)
        std::function<void()> letEventsRun; // pending input runs between characters
    };
    // Sends the text character by character, re-reading it before each one, until its end or a stop.
    void send(const SendView& view);
    bool sending() const { return m_sending; }

    // "S&top": the rest is not sent; what the keyer holds goes too.
    void stop();

    // A key typed in the live field, into CwBuffer. Returns the text to append to "Text Sent", or "\b" when
    // its last character is to be taken off (only when one came off CwBuffer), or empty when nothing changes.
    QString liveKey(QChar key);
    // Then: the keyer sends what is waiting, unless it is sending already.
    void sendLive();
    static constexpr QChar Backspace = u'\b';

private:
    CwSender& m_cw;
    WinKeyState& m_winKey;
    bool m_sending = false;
    bool m_stop = false;
};

} // namespace velm
