// Tests of the main window's key routing: Ctrl shortcuts, repeats, function keys and arrows by mode, Esc and
// keyboard CW, against a fake keyer that records what reaches it.

#include "log/KeyRouter.h"
#include "support/FakeKeyers.h"

#include <QtTest>

using namespace velm;
using velm::test::FakeKeyers;

namespace {

const QString kCw = QStringLiteral("CW");
const QString kPhone = QStringLiteral("PH");

KeyStroke key(int qtKey, const QString& text = {}, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return KeyStroke{qtKey, modifiers, text};
}

KeyStroke ctrl(int qtKey, Qt::KeyboardModifiers others = Qt::NoModifier)
{
    // Qt gives a Ctrl+letter the control character as its text, as the classic key press did.
    const QString text(QChar(char16_t(qtKey - Qt::Key_A + 1)));
    return key(qtKey, text, Qt::ControlModifier | others);
}

} // namespace

class TestKeyRouter : public QObject {
    Q_OBJECT

private slots:
    void ctrlKeys_data();
    void ctrlKeys();
    void modifierAloneDoesNothing();
    void ctrlKeyWithoutCharacterLeavesNothingPending();
    void functionKeysAndArrows_data();
    void functionKeysAndArrows();
    void f12SwitchesKeyboardCw();
    void ordinaryKeyStopsRepeats();
    void escape_data();
    void escape();
    void keyboardCw_data();
    void keyboardCw();
    void backspaceInKeyboardCw_data();
    void backspaceInKeyboardCw();
};

void TestKeyRouter::ctrlKeys_data()
{
    QTest::addColumn<KeyStroke>("stroke");
    QTest::addColumn<int>("window"); // -1: none
    QTest::addColumn<bool>("consumed");
    QTest::addColumn<bool>("repeatStopped");
    const auto w = [](WindowShortcut s) { return int(s); };
    QTest::newRow("Ctrl+B") << ctrl(Qt::Key_B) << w(WindowShortcut::SpectrumMap) << true << false;
    QTest::newRow("Ctrl+S") << ctrl(Qt::Key_S) << w(WindowShortcut::CwKeyer) << true << false;
    QTest::newRow("Ctrl+W") << ctrl(Qt::Key_W) << w(WindowShortcut::CwStrings) << true << false;
    QTest::newRow("Ctrl+A: character discarded") << ctrl(Qt::Key_A) << -1 << true << true;
    QTest::newRow("Ctrl+Shift+S: no shortcut") << ctrl(Qt::Key_S, Qt::ShiftModifier) << -1 << false << true;
    QTest::newRow("Ctrl+Alt+S (AltGr): no shortcut")
        << ctrl(Qt::Key_S, Qt::AltModifier) << -1 << false << true;
    QTest::newRow("Ctrl+Esc: discarded, entry kept")
        << key(Qt::Key_Escape, "\x1b", Qt::ControlModifier) << -1 << true << true;
}

void TestKeyRouter::ctrlKeys()
{
    QFETCH(KeyStroke, stroke);
    QFETCH(int, window);
    QFETCH(bool, consumed);
    QFETCH(bool, repeatStopped);
    FakeKeyers keyers;
    keyers.cwRepeat = true;
    KeyRouter router(keyers, keyers, keyers);

    const KeyOutcome outcome = router.route(stroke, kCw);
    QCOMPARE(outcome.window ? int(*outcome.window) : -1, window);
    QCOMPARE(outcome.consumed, consumed);
    QCOMPARE(!keyers.cwRepeat, repeatStopped);
    QVERIFY(!outcome.clearEntry);
}

void TestKeyRouter::modifierAloneDoesNothing()
{
    FakeKeyers keyers;
    keyers.cwRepeat = true;
    KeyRouter router(keyers, keyers, keyers);
    for (const int modifierKey : {Qt::Key_Control, Qt::Key_Shift, Qt::Key_Alt}) {
        const KeyOutcome outcome = router.route(key(modifierKey, {}, Qt::ControlModifier), kCw);
        QVERIFY(!outcome.consumed);
    }
    QVERIFY(keyers.calls.isEmpty());
    // The next ordinary key is typed as usual.
    QVERIFY(!router.route(key(Qt::Key_W, "w"), kCw).consumed);
}

void TestKeyRouter::ctrlKeyWithoutCharacterLeavesNothingPending()
{
    FakeKeyers keyers;
    keyers.keyboardCwMode = true;
    KeyRouter router(keyers, keyers, keyers);
    QVERIFY(router.route(key(Qt::Key_F5, {}, Qt::ControlModifier), kCw).consumed);
    router.route(key(Qt::Key_W, "w"), kCw);
    QCOMPARE(keyers.calls, QStringList({"FKeyCW 116", "LoopThroughCWBuffer W"}));
}

void TestKeyRouter::functionKeysAndArrows_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("configured");
    QTest::addColumn<KeyStroke>("stroke");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<bool>("consumed");
    QTest::addColumn<QString>("message"); // "-": left alone
    QTest::newRow("CW F1") << kCw << true << key(Qt::Key_F1) << QStringList{"FKeyCW 112"} << true << "-";
    QTest::newRow("CW F10 as 124") << kCw << true << key(Qt::Key_F10) << QStringList{"FKeyCW 124"} << true
                                   << "-";
    QTest::newRow("CW F11") << kCw << true << key(Qt::Key_F11) << QStringList{"FKeyCW 122"} << true << "-";
    QTest::newRow("CW F1, no method") << kCw << false << key(Qt::Key_F1) << QStringList{} << false << "-";
    QTest::newRow("CW Up") << kCw << true << key(Qt::Key_Up) << QStringList{"UpDown1_UpClick"} << true
                           << "21 WPM";
    QTest::newRow("CW Up, no method") << kCw << false << key(Qt::Key_Up) << QStringList{} << false << "-";
    QTest::newRow("PH F9") << kPhone << true << key(Qt::Key_F9) << QStringList{"FKeyPhone 120"} << true
                           << "-";
    QTest::newRow("PH F10 swallowed") << kPhone << true << key(Qt::Key_F10) << QStringList{} << true << "-";
    QTest::newRow("PH F12") << kPhone << true << key(Qt::Key_F12) << QStringList{} << false << "-";
}

void TestKeyRouter::functionKeysAndArrows()
{
    QFETCH(QString, mode);
    QFETCH(bool, configured);
    QFETCH(KeyStroke, stroke);
    QFETCH(QStringList, calls);
    QFETCH(bool, consumed);
    QFETCH(QString, message);
    FakeKeyers keyers;
    keyers.configured = configured;
    KeyRouter router(keyers, keyers, keyers);

    const KeyOutcome outcome = router.route(stroke, mode);
    QCOMPARE(keyers.calls, calls);
    QCOMPARE(outcome.consumed, consumed);
    QCOMPARE(outcome.message.value_or("-"), message);
    QVERIFY(!keyers.keyboardCwMode);
}

void TestKeyRouter::f12SwitchesKeyboardCw()
{
    FakeKeyers keyers;
    KeyRouter router(keyers, keyers, keyers);
    KeyOutcome outcome = router.route(key(Qt::Key_F12), kCw);
    QVERIFY(keyers.keyboardCwMode && outcome.consumed);
    QCOMPARE(outcome.message, QStringLiteral("Keyboard CW mode is ON!  Press F12 to exit keyboard CW mode."));
    QCOMPARE(outcome.tone, MessageTone::KeyboardCw);

    outcome = router.route(key(Qt::Key_F12), kCw);
    QVERIFY(!keyers.keyboardCwMode && outcome.consumed);
    QCOMPARE(outcome.message, QString());
    QCOMPARE(outcome.tone, MessageTone::Normal);
    QVERIFY(!keyers.calls.join(' ').contains("FKeyCW"));
}

void TestKeyRouter::ordinaryKeyStopsRepeats()
{
    FakeKeyers keyers;
    keyers.cwRepeat = true;
    keyers.voiceRepeat = true;
    keyers.cwBuffer = "CQ TEST";
    KeyRouter router(keyers, keyers, keyers);
    // The stop comes first, so the new message is not emptied with the old one.
    router.route(key(Qt::Key_F2), kCw);
    QCOMPARE(keyers.calls, QStringList({"stopCwRepeat", "stopVoiceRepeat", "FKeyCW 113"}));
    QVERIFY(!keyers.cwRepeat && !keyers.voiceRepeat);

    keyers.calls.clear();
    keyers.voiceRepeat = true;
    QVERIFY(!router.route(key(Qt::Key_K, "k"), kPhone).consumed);
    QCOMPARE(keyers.calls, QStringList{"stopVoiceRepeat"});
}

void TestKeyRouter::escape_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("playing");
    QTest::addColumn<bool>("winKeyBusy");
    QTest::addColumn<bool>("sending");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<bool>("clearEntry");
    QTest::addColumn<QString>("bufferAfter");
    QTest::newRow("PH, voice playing")
        << kPhone << true << false << false << QStringList{"stopVoice"} << false << "CQ";
    QTest::newRow("CW, voice playing: not the player")
        << kCw << true << false << false << QStringList{} << true << "CQ";
    QTest::newRow("WinKey busy") << kCw << false << true << true << QStringList{"winKeyClearBuffer"} << false
                                 << "";
    QTest::newRow("sending") << kCw << false << false << true << QStringList{} << false << "";
    QTest::newRow("idle") << kCw << false << false << false << QStringList{} << true << "CQ";
}

void TestKeyRouter::escape()
{
    QFETCH(QString, mode);
    QFETCH(bool, playing);
    QFETCH(bool, winKeyBusy);
    QFETCH(bool, sending);
    QFETCH(QStringList, calls);
    QFETCH(bool, clearEntry);
    QFETCH(QString, bufferAfter);
    FakeKeyers keyers;
    keyers.playing = playing;
    keyers.winKeyOpen = true;
    keyers.winKeyBusyFlag = winKeyBusy;
    keyers.sending = sending;
    keyers.cwBuffer = "CQ";
    KeyRouter router(keyers, keyers, keyers);

    const KeyOutcome outcome = router.route(key(Qt::Key_Escape, "\x1b"), mode);
    QVERIFY(outcome.consumed);
    QCOMPARE(keyers.calls, calls);
    QCOMPARE(outcome.clearEntry, clearEntry);
    QCOMPARE(keyers.cwBuffer, bufferAfter);
}

void TestKeyRouter::keyboardCw_data()
{
    QTest::addColumn<KeyStroke>("stroke");
    QTest::addColumn<bool>("sending");
    QTest::addColumn<QString>("bufferAfter");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("letter, idle") << key(Qt::Key_A, "a") << false << "CQA"
                                  << QStringList{"LoopThroughCWBuffer CQA"};
    QTest::newRow("letter while sending") << key(Qt::Key_A, "a") << true << "CQA" << QStringList{};
    QTest::newRow("Enter") << key(Qt::Key_Return, "\r") << true << "CQ\r" << QStringList{};
    QTest::newRow("keypad Enter without text")
        << key(Qt::Key_Enter, {}, Qt::KeypadModifier) << true << "CQ\r" << QStringList{};
    QTest::newRow("Space") << key(Qt::Key_Space, " ") << true << "CQ " << QStringList{};
}

void TestKeyRouter::keyboardCw()
{
    QFETCH(KeyStroke, stroke);
    QFETCH(bool, sending);
    QFETCH(QString, bufferAfter);
    QFETCH(QStringList, calls);
    FakeKeyers keyers;
    keyers.keyboardCwMode = true;
    keyers.sending = sending;
    keyers.cwBuffer = "CQ";
    KeyRouter router(keyers, keyers, keyers);

    QVERIFY(router.route(stroke, kCw).consumed);
    QCOMPARE(keyers.cwBuffer, bufferAfter);
    QCOMPARE(keyers.calls, calls);

    // In phone mode, or with no keying method, the same key reaches the field and nothing is queued.
    keyers.cwBuffer = "CQ";
    QVERIFY(!router.route(stroke, kPhone).consumed);
    keyers.configured = false;
    QVERIFY(!router.route(stroke, kCw).consumed);
    QCOMPARE(keyers.cwBuffer, QStringLiteral("CQ"));
}

void TestKeyRouter::backspaceInKeyboardCw_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("keyboardCw");
    QTest::addColumn<bool>("winKeyBusy");
    QTest::addColumn<bool>("sending");
    QTest::addColumn<QString>("buffer");
    QTest::addColumn<QString>("bufferAfter");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<bool>("consumed");
    QTest::newRow("WinKey busy") << kCw << true << true << true << "CQ"
                                 << "CQ" << QStringList{"winKeyBackspace"} << true;
    QTest::newRow("sending") << kCw << true << false << true << "CQ"
                             << "C" << QStringList{} << true;
    QTest::newRow("idle: nothing queued") << kCw << true << false << false << "CQ"
                                          << "CQ" << QStringList{} << true;
    QTest::newRow("phone: field edits too") << kPhone << true << false << true << "CQ"
                                            << "C" << QStringList{} << false;
    QTest::newRow("keyboard CW off") << kCw << false << false << true << "CQ"
                                     << "CQ" << QStringList{} << false;
}

void TestKeyRouter::backspaceInKeyboardCw()
{
    QFETCH(QString, mode);
    QFETCH(bool, keyboardCw);
    QFETCH(bool, winKeyBusy);
    QFETCH(bool, sending);
    QFETCH(QString, buffer);
    QFETCH(QString, bufferAfter);
    QFETCH(QStringList, calls);
    QFETCH(bool, consumed);
    FakeKeyers keyers;
    keyers.keyboardCwMode = keyboardCw;
    keyers.winKeyOpen = true;
    keyers.winKeyBusyFlag = winKeyBusy;
    keyers.sending = sending;
    keyers.cwBuffer = buffer;
    KeyRouter router(keyers, keyers, keyers);

    QCOMPARE(router.route(key(Qt::Key_Backspace, "\b"), mode).consumed, consumed);
    QCOMPARE(keyers.cwBuffer, bufferAfter);
    QCOMPARE(keyers.calls, calls);
}

QTEST_GUILESS_MAIN(TestKeyRouter)
#include "tst_keyrouter.moc"
