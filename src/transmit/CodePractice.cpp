#include "transmit/CodePractice.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <random>

namespace velm {

const QString& PracticeAlphabet()
{
    static const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,?/-");
    return alphabet;
}

namespace {

class SystemRandom final : public PracticeRandom {
public:
    void reseed() override
    {
        m_engine.seed(quint64(QDateTime::currentMSecsSinceEpoch()) ^
                      QRandomGenerator::system()->generate64());
    }
    double uniform() override { return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine); }

private:
    std::mt19937_64 m_engine;
};

// "!" would commit the main window's contact: practice text never hands it to the keyer.
bool sendable(QChar c)
{
    return c != u'!';
}

} // namespace

std::unique_ptr<PracticeRandom> systemPracticeRandom()
{
    return std::make_unique<SystemRandom>();
}

int practiceCount(const QString& text, int defaultValue)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= 1 && value <= 999 ? value : defaultValue;
}

QString generatePractice(int groups, int length, bool lettersOnly, PracticeRandom& random)
{
    const int n = lettersOnly ? LettersOnlyCount : int(PracticeAlphabet().size());
    random.reseed();
    QString text;
    text.reserve(groups * (length + 1));
    for (int g = 0; g < groups; ++g) {
        for (int i = 0; i < length; ++i) {
            const int pick = std::min(int(n * random.uniform()), n - 1);
            text += PracticeAlphabet().at(pick);
        }
        text += u' ';
    }
    return text;
}

void CodePractice::send(const SendView& view)
{
    if (m_sending)
        return;
    m_sending = true;
    m_stop = false;
    for (int position = 0; !m_stop; ++position) {
        // Edits made while sending count; text deleted below the position ends the send.
        const QString text = view.text();
        if (position >= text.size())
            break;
        const QChar c = text.at(position);
        if (sendable(c)) {
            m_cw.CwBuffer() = QString(c);
            if (!m_cw.CwSending())
                m_cw.LoopThroughCWBuffer();
            view.sent(c);
        }
        view.position(position + 1);
        if (view.letEventsRun)
            view.letEventsRun();
    }
    m_sending = false;
}

void CodePractice::stop()
{
    m_stop = true;
    m_cw.CwBuffer().clear();
    // With WinKey the characters already handed over wait in the keyer.
    if (m_winKey.winKeyInUse())
        m_winKey.winKeyClearBuffer();
}

QString CodePractice::liveKey(QChar key)
{
    if (key == Backspace) {
        QString& buffer = m_cw.CwBuffer();
        if (buffer.isEmpty())
            return {};
        buffer.chop(1);
        return QString(Backspace);
    }
    const QChar c = key.toUpper();
    if (!sendable(c) || !c.isPrint())
        return {};
    m_cw.CwBuffer() += c;
    return QString(c);
}

void CodePractice::sendLive()
{
    if (!m_cw.CwSending() && !m_cw.CwBuffer().isEmpty())
        m_cw.LoopThroughCWBuffer();
}

} // namespace velm
