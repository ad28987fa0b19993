// Tests of code practice: the random groups, sending practice text while it is edited or stopped, live
// typing, and the window's close rule, against a keyer that records what it keyed.

#include "transmit/ui/frmCodePractice.h"

#include "support/AccessibleNames.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>

using namespace velm;

namespace {

// Keys each character of CwBuffer at once, CwSending set meanwhile; a hook runs after each one as if the
// operator acted while it was being keyed.
class RecordingKeyer final : public CwSender, public WinKeyState {
public:
    bool cwKeyingConfigured() const override { return true; }
    void FKeyCW(int) override {}
    int UpDown1_UpClick() override { return ++speed; }
    int UpDown1_DownClick() override { return speed = std::max(1, speed - 1); }
    void LoopThroughCWBuffer() override
    {
        ++loops;
        sending = true;
        while (!buffer.isEmpty()) {
            keyed += buffer.front();
            buffer.remove(0, 1);
            if (afterCharacter)
                afterCharacter();
        }
        sending = false;
    }
    QString& CwBuffer() override { return buffer; }
    bool CwSending() const override { return sending; }
    bool KeyboardCwMode() const override { return false; }
    void setKeyboardCwMode(bool) override {}
    bool CwRepeat() const override { return false; }
    void stopCwRepeat() override {}
    bool winKeyInUse() const override { return winKey; }
    bool winKeyBusy() const override { return false; }
    void winKeyClearBuffer() override { ++winKeyClears; }
    void winKeyBackspace() override {}

    QString buffer;
    QString keyed;
    bool sending = false;
    bool winKey = false;
    int winKeyClears = 0;
    int loops = 0;
    int speed = 13;
    std::function<void()> afterCharacter;
};

// Steps evenly through [0, 1): picks every position of the alphabet in turn.
class SteppingRandom final : public PracticeRandom {
public:
    explicit SteppingRandom(int n) : m_n(n) {}
    void reseed() override
    {
        ++reseeds;
        m_i = 0;
    }
    double uniform() override { return (double(m_i++ % m_n) + 0.5) / m_n; }
    int reseeds = 0;

private:
    int m_n;
    int m_i = 0;
};

struct Practice {
    RecordingKeyer keyer;
    frmCodePractice window{keyer, keyer, 13};
    Practice() { window.show(); }
    void sendText(const QString& text)
    {
        window.Text1->setPlainText(text);
        window.Command3->click();
    }
};

} // namespace

class TestCodePractice : public QObject {
    Q_OBJECT

private slots:
    void generate_data();
    void generate();
    void allCharactersReached();
    void sendsTypedTextInCapitals();
    void stopKeepsTheRest();
    void editsDuringSend_data();
    void editsDuringSend();
    void bangNeverHandedOver();
    void liveTyping();
    void winKeyBufferClearedOnStop();
    void closeRule();
    void speedAndNames();
};

void TestCodePractice::generate_data()
{
    QTest::addColumn<bool>("lettersOnly");
    QTest::addColumn<QString>("groups");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("shownGroups");
    QTest::newRow("letters 3 x 4") << true << "3"
                                   << "4"
                                   << "^([A-Z]{4} ){3}$"
                                   << "3";
    QTest::newRow("not a number") << false << "x"
                                  << "5"
                                  << "^([A-Z0-9.,?/-]{5} ){10}$"
                                  << "10";
    QTest::newRow("a billion") << false << "1e9"
                               << "2"
                               << "^([A-Z0-9.,?/-]{2} ){10}$"
                               << "10";
    QTest::newRow("zero length") << true << "2"
                                 << "0"
                                 << "^([A-Z]{5} ){2}$"
                                 << "2";
}

void TestCodePractice::generate()
{
    QFETCH(bool, lettersOnly);
    QFETCH(QString, groups);
    QFETCH(QString, length);
    QFETCH(QString, pattern);
    QFETCH(QString, shownGroups);
    Practice p;
    (lettersOnly ? p.window.Option1 : p.window.Option2)->setChecked(true);
    p.window.Text3->setText(groups);
    p.window.Text4->setText(length);
    p.window.Command2->click();
    QVERIFY2(QRegularExpression(pattern).match(p.window.Text1->toPlainText()).hasMatch(),
             qPrintable(p.window.Text1->toPlainText()));
    QCOMPARE(p.window.Text3->text(), shownGroups);
}

void TestCodePractice::allCharactersReached()
{
    Practice p;
    auto random = std::make_unique<SteppingRandom>(41);
    SteppingRandom& steps = *random;
    p.window.setRandom(std::move(random));
    p.window.Text3->setText(QStringLiteral("41"));
    p.window.Text4->setText(QStringLiteral("1"));
    p.window.Command2->click();
    QString expected;
    for (QChar c : PracticeAlphabet())
        expected += QString(c) + u' ';
    QCOMPARE(p.window.Text1->toPlainText(), expected);
    QCOMPARE(PracticeAlphabet().size(), 41);
    p.window.Command2->click();
    QCOMPARE(steps.reseeds, 2);
}

void TestCodePractice::sendsTypedTextInCapitals()
{
    Practice p;
    p.window.Text1->setFocus();
    QTest::keyClicks(p.window.Text1, QStringLiteral("cq de"));
    QCOMPARE(p.window.Text1->toPlainText(), QStringLiteral("CQ DE"));
    bool disabledWhileSending = true;
    p.keyer.afterCharacter = [&] {
        disabledWhileSending = disabledWhileSending && !p.window.Command3->isEnabled();
    };
    p.window.Command3->click();
    QCOMPARE(p.keyer.keyed, QStringLiteral("CQ DE"));
    QCOMPARE(p.window.Text2->toPlainText(), QStringLiteral("CQ DE"));
    QVERIFY(disabledWhileSending);
    QVERIFY(p.window.Command3->isEnabled());
}

void TestCodePractice::stopKeepsTheRest()
{
    Practice p;
    p.keyer.afterCharacter = [&] {
        if (p.keyer.keyed.size() == 2)
            p.window.Command4->click();
    };
    p.sendText(QStringLiteral("ABCDE"));
    QCOMPARE(p.keyer.keyed, QStringLiteral("AB"));
    QCOMPARE(p.window.Text1->toPlainText(), QStringLiteral("ABCDE"));
    QCOMPARE(p.window.Text2->toPlainText(), QStringLiteral("AB"));
    // A second send starts over.
    p.keyer.afterCharacter = {};
    p.window.Command3->click();
    QCOMPARE(p.keyer.keyed, QStringLiteral("ABABCDE"));
}

void TestCodePractice::editsDuringSend_data()
{
    QTest::addColumn<QString>("editedTo");
    QTest::addColumn<QString>("keyed");
    QTest::newRow("changed ahead") << "AXYZ"
                                   << "AXYZ";
    QTest::newRow("deleted behind the position") << ""
                                                 << "A";
    QTest::newRow("shortened to the position") << "A"
                                               << "A";
}

void TestCodePractice::editsDuringSend()
{
    QFETCH(QString, editedTo);
    QFETCH(QString, keyed);
    Practice p;
    p.keyer.afterCharacter = [&] {
        if (p.keyer.keyed.size() == 1)
            p.window.Text1->setPlainText(editedTo);
    };
    p.sendText(QStringLiteral("ABCDEFG"));
    QCOMPARE(p.keyer.keyed, keyed);
    QVERIFY(!p.window.sending());
}

void TestCodePractice::bangNeverHandedOver()
{
    Practice p;
    p.sendText(QStringLiteral("TU!5NN"));
    QCOMPARE(p.keyer.keyed, QStringLiteral("TU5NN"));
    QCOMPARE(p.window.Text2->toPlainText(), QStringLiteral("TU5NN"));
}

void TestCodePractice::liveTyping()
{
    Practice p;
    p.window.Text5->setFocus();
    QTest::keyClicks(p.window.Text5, QStringLiteral("cq"));
    QCOMPARE(p.keyer.keyed, QStringLiteral("CQ"));
    QCOMPARE(p.window.Text2->toPlainText(), QStringLiteral("CQ"));
    QVERIFY(p.window.Text5->text().isEmpty());
    // Everything was keyed already: Backspace takes nothing back.
    QTest::keyClick(p.window.Text5, Qt::Key_Backspace);
    QCOMPARE(p.window.Text2->toPlainText(), QStringLiteral("CQ"));
    // While "T" is keyed, "E" and "S" wait in the buffer and a Backspace takes "S" back.
    p.keyer.afterCharacter = [&] {
        if (p.keyer.keyed == QStringLiteral("CQT")) {
            QTest::keyClicks(p.window.Text5, QStringLiteral("es"));
            QTest::keyClick(p.window.Text5, Qt::Key_Backspace);
        }
    };
    QTest::keyClicks(p.window.Text5, QStringLiteral("t"));
    QCOMPARE(p.keyer.keyed, QStringLiteral("CQTE"));
    QCOMPARE(p.window.Text2->toPlainText(), QStringLiteral("CQTE"));
}

void TestCodePractice::winKeyBufferClearedOnStop()
{
    Practice p;
    p.keyer.winKey = true;
    p.window.Command4->click();
    QCOMPARE(p.keyer.winKeyClears, 1);
    p.window.close();
    QCOMPARE(p.keyer.winKeyClears, 1); // nothing was being sent: closing only empties CwBuffer
}

void TestCodePractice::closeRule()
{
    // While a character is keyed, neither closing nor Esc closes; the send stops.
    Practice p;
    bool staysOpen = true;
    p.keyer.afterCharacter = [&] {
        if (p.keyer.keyed.size() == 1) {
            p.window.close();
            QTest::keyClick(&p.window, Qt::Key_Escape);
            staysOpen = p.window.isVisible();
        }
    };
    p.sendText(QStringLiteral("ABCDE"));
    QVERIFY(staysOpen);
    QCOMPARE(p.keyer.keyed, QStringLiteral("A"));
    QVERIFY(p.window.isVisible());
    QVERIFY(p.window.close());
    QVERIFY(!p.window.isVisible());

    // A close arriving between two characters ends the send first, then the window closes.
    Practice q;
    q.keyer.afterCharacter = [&] {
        if (q.keyer.keyed.size() == 1)
            QCoreApplication::postEvent(&q.window, new QCloseEvent);
    };
    q.sendText(QStringLiteral("ABCDE"));
    QCOMPARE(q.keyer.keyed, QStringLiteral("A"));
    QVERIFY(!q.window.isVisible());
}

void TestCodePractice::speedAndNames()
{
    Practice p;
    QCOMPARE(p.window.windowTitle(), QStringLiteral("On the Air Code Practice"));
    QCOMPARE(p.window.Label8->text(), QStringLiteral("13"));
    QCOMPARE(p.window.Label8->accessibleName(), QStringLiteral("Speed: 13 WPM"));
    p.window.Command7->click();
    QCOMPARE(p.window.Label8->accessibleName(), QStringLiteral("Speed: 14 WPM"));
    p.window.Command8->click();
    p.window.Command8->click();
    QCOMPARE(p.window.Label8->text(), QStringLiteral("12"));
    QVERIFY(p.window.Option2->isChecked());
    QCOMPARE(p.window.Text3->accessibleName(), QStringLiteral("Number of groups"));
    QCOMPARE(test::unnamedControls(p.window), QStringList());
}

QTEST_MAIN(TestCodePractice)
#include "tst_codepractice.moc"
