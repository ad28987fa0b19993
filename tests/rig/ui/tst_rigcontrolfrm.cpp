// Tests of the rig window offscreen on a fake serial line: what it shows of the stored settings, presets by
// list selection, option clicks and query boxes ending the test, the buttons, read-outs, start-up with a
// missing port, the failed save, and what a screen reader hears.

#include "../RigHarness.h"

#include "platform/SerialPortTable.h"
#include "rig/ui/RigControlfrm.h"
#include "rig/ui/RigWindows.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace velm;
using namespace velm::test;

namespace {

// Clicks a list entry as the operator does.
void pick(RigControlfrm& window, const QString& rigType)
{
    const QList<QListWidgetItem*> items = window.lstRig->findItems(rigType, Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    window.lstRig->setCurrentItem(items.first());
}

int checkedIndex(const QList<QRadioButton*>& options)
{
    for (int i = 0; i < options.size(); ++i) {
        if (options[i]->isChecked())
            return i;
    }
    return -1;
}

} // namespace

class TestRigControlfrm : public QObject {
    Q_OBJECT

private slots:
    void showsTheStoredSettingsWithoutAPreset();
    void listSelectionAppliesThePreset();
    void otherEnablesConvertToHex();
    void optionClicksAndQueryBoxesEndTheTest();
    void testAndEndTest();
    void readoutsWaitWhileHidden();
    void convertToHexAndModeBy();
    void changeFrequencyNeedsPolling();
    void copyUnprocessedData();
    void failedSaveIsReported();
    void startUpWithAMissingPort();
    void lostPortOnTheMessageLine();
    void keyboardReachesEverything();
    void devicePathOfThePort();
    void accessibleNames();
};

void TestRigControlfrm::showsTheStoredSettingsWithoutAPreset()
{
    RigHarness h;
    RigSettings stored;
    stored.RigType = rigtype::Icom735;
    stored.FrequencyQuery = QStringLiteral("FE FE 04 E0 03 FD");
    stored.BaudRate = QStringLiteral("9600 ");
    stored.PortNumber = 4;
    stored.PollRate = QStringLiteral("S");
    h.write("RigCntrl.txt", rigSettingsBytes(stored));
    RigControlfrm window(h.rig(), h.fakes.prompts);
    QCOMPARE(window.lstRig->currentItem()->text(), rigtype::Icom735);
    QCOMPARE(window.txtFreq->text(), QStringLiteral("FE FE 04 E0 03 FD")); // no preset replaced it
    QCOMPARE(checkedIndex(window.optBaud), 3);
    QCOMPARE(checkedIndex(window.optPort), 3);
    QCOMPARE(checkedIndex(window.optPollRate), 2);
    QVERIFY(window.lblIcomNote->isHidden()); // only a selection by hand shows it
    pick(window, rigtype::Icom735);
    pick(window, rigtype::Icom);
    QVERIFY(!window.lblIcomNote->isHidden());
    QCOMPARE(window.txtFreq->text(), QStringLiteral("FE FE 64 E0 03 FD"));

    // A type the list lacks selects no entry.
    RigHarness unknown;
    stored.RigType = QStringLiteral("Kenwood 3");
    unknown.write("RigCntrl.txt", rigSettingsBytes(stored));
    RigControlfrm other(unknown.rig(), unknown.fakes.prompts);
    QVERIFY(other.lstRig->selectedItems().isEmpty());
}

void TestRigControlfrm::listSelectionAppliesThePreset()
{
    RigHarness h;
    RigControlfrm window(h.rig(), h.fakes.prompts);
    // The design defaults.
    QCOMPARE(checkedIndex(window.optBaud), 8);
    QCOMPARE(checkedIndex(window.optParity), 1);
    QCOMPARE(checkedIndex(window.optDataBits), 1);
    QCOMPARE(checkedIndex(window.optStopBits), 0);
    QCOMPARE(checkedIndex(window.optPort), 0);
    QCOMPARE(checkedIndex(window.optPower), 0);
    QCOMPARE(checkedIndex(window.optPollRate), 1);
    QCOMPARE(checkedIndex(window.optModeBy), 0);
    QVERIFY(window.chkUseFrequency->isChecked());
    QVERIFY(!window.chkConvert->isEnabled());
    pick(window, QStringLiteral("Kenwood"));
    QCOMPARE(window.txtFreq->text(), QStringLiteral("FA;"));
    QCOMPARE(window.txtMode->text(), QStringLiteral("MD;"));
    QCOMPARE(checkedIndex(window.optStopBits), 1);
    // FTdx9000 after Kenwood: only the baud changes (it is 4800 already).
    window.optStopBits[0]->click();
    pick(window, rigtype::FTdx9000);
    QCOMPARE(checkedIndex(window.optBaud), 2);
    QCOMPARE(checkedIndex(window.optStopBits), 0);
    QCOMPARE(window.txtMode->text(), QStringLiteral("MD0;"));
    pick(window, rigtype::Yaesu990);
    QVERIFY(window.chkConvert->isChecked());
    QVERIFY(window.chkConvertFrom->isChecked());
    QVERIFY(!window.chkConvert->isEnabled());
}

void TestRigControlfrm::otherEnablesConvertToHex()
{
    RigHarness h;
    RigControlfrm window(h.rig(), h.fakes.prompts);
    pick(window, rigtype::Icom);
    pick(window, rigtype::Other);
    QVERIFY(window.chkConvert->isEnabled());
    QVERIFY(!window.chkConvert->isChecked());
    QVERIFY(window.txtFreq->text().isEmpty() && window.txtMode->text().isEmpty());
    pick(window, QStringLiteral("Kenwood"));
    QVERIFY(!window.chkConvert->isEnabled());
}

void TestRigControlfrm::optionClicksAndQueryBoxesEndTheTest()
{
    RigHarness h("Kenwood");
    h.writeRigFile(QStringLiteral("Kenwood"));
    RigControlfrm window(h.rig(), h.fakes.prompts);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto running = [&] {
        window.cmdTest->click();
        return h.rig().polling() && h.line()->isOpen();
    };
    for (const QList<QRadioButton*>* group :
         {&window.optBaud, &window.optParity, &window.optDataBits, &window.optStopBits, &window.optPort,
          &window.optPower, &window.optPollRate}) {
        QVERIFY(running());
        group->last()->click();
        QVERIFY(!h.rig().polling());
        QVERIFY(!h.line()->isOpen());
    }
    QCOMPARE(h.rig().choices()[RigOption::Baud], 8);
    QVERIFY(running());
    QTest::mouseClick(window.txtFreq, Qt::LeftButton);
    QVERIFY(!h.rig().polling());
    QVERIFY(running());
    window.txtMode->setFocus(Qt::TabFocusReason);
    QVERIFY(!h.rig().polling());
    // Typing copies the text at once.
    QTest::keyClick(window.txtMode, Qt::Key_End);
    QTest::keyClicks(window.txtMode, QStringLiteral("X"));
    QCOMPARE(h.rig().settings().ModeQuery, QStringLiteral("MD;X"));
}

void TestRigControlfrm::testAndEndTest()
{
    RigHarness h("Kenwood");
    h.writeRigFile(QStringLiteral("Kenwood"));
    RigControlfrm window(h.rig(), h.fakes.prompts);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!window.cmdEndTest->isEnabled());
    QVERIFY(window.lblPolling->isHidden());
    window.cmdTest->click();
    QVERIFY(window.cmdEndTest->isEnabled());
    QVERIFY(!window.lblPolling->isHidden());
    QCOMPARE(window.lblFrequency->text(), Rig::NoResponse);
    QCOMPARE(window.lblMode->text(), Rig::NoResponse);
    QCOMPARE(h.line()->written(), QByteArray("FA;MD;"));
    window.cmdEndTest->click();
    QVERIFY(!window.cmdEndTest->isEnabled());
    QVERIFY(window.lblPolling->isHidden());
    QVERIFY(window.lblFrequency->text().isEmpty());
    QVERIFY(!h.line()->isOpen());
    // "Test" with "None" opens nothing.
    pick(window, rigtype::None);
    window.cmdTest->click();
    QVERIFY(!h.line()->isOpen());
    QVERIFY(!window.cmdEndTest->isEnabled());
    QVERIFY(window.lblFrequency->text().isEmpty());
}

void TestRigControlfrm::readoutsWaitWhileHidden()
{
    RigHarness h("Kenwood");
    h.writeRigFile(QStringLiteral("Kenwood"));
    RigControlfrm window(h.rig(), h.fakes.prompts);
    h.rig().startUp();
    h.line()->feed("FA00007025000;MD3;");
    h.rig().PollTick();
    // Hidden: the read-outs stay; the main window follows all the same.
    QVERIFY(window.lblFrequency->text().isEmpty());
    QCOMPARE(h.session->preferences().CurrentBand, QStringLiteral("40"));
    window.show();
    QCOMPARE(window.lblFrequency->text(), QStringLiteral("7.02500"));
    QCOMPARE(window.lblMode->text(), QStringLiteral("CW"));
    QCOMPARE(window.lblUnprocessed->text(), QStringLiteral("FA00007025000;MD3;"));
}

void TestRigControlfrm::convertToHexAndModeBy()
{
    RigHarness h;
    RigControlfrm window(h.rig(), h.fakes.prompts);
    pick(window, rigtype::Other);
    window.chkConvert->click();
    QVERIFY(window.chkConvertFrom->isChecked());
    QVERIFY(h.rig().choices().convertToHex);
    window.chkConvertFrom->click();
    QVERIFY(!h.rig().choices().convertFromHex);
    QVERIFY(h.rig().choices().convertToHex);
    window.show();
    window.optModeBy[1]->click();
    QCOMPARE(h.rig().choices().modeBy, ModeBy::Frequency);
    QCOMPARE(window.lblMode->text(), Rig::NoResponse);
    window.chkUseFrequency->click();
    QVERIFY(!h.rig().choices().useFrequency);
}

void TestRigControlfrm::changeFrequencyNeedsPolling()
{
    RigHarness h("Kenwood");
    h.writeRigFile(QStringLiteral("Kenwood"));
    RigControlfrm window(h.rig(), h.fakes.prompts);
    QSignalSpy testWindow(&window, &RigControlfrm::frequencyTestRequested);
    window.cmdChangeFrequency->click();
    QCOMPARE(h.fakes.prompts.messages.size(), 1);
    QCOMPARE(h.fakes.prompts.messages[0].text, RigControlfrm::NotPollingText);
    QCOMPARE(h.fakes.prompts.messages[0].title, RigControlfrm::NotPollingText);
    QCOMPARE(h.fakes.prompts.messages[0].icon, MessageIcon::Information);
    window.cmdTest->click();
    window.cmdChangeFrequency->click();
    QCOMPARE(h.fakes.prompts.messages.size(), 1);
    QCOMPARE(testWindow.size(), 1);
}

void TestRigControlfrm::copyUnprocessedData()
{
    RigHarness h("Kenwood");
    h.writeRigFile(QStringLiteral("Kenwood"));
    RigControlfrm window(h.rig(), h.fakes.prompts);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.cmdTest->click();
    h.line()->feed("FA00014025000;\r\n");
    h.rig().PollTick();
    window.cmdCopy->click();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("FA00014025000;<0D><0A>"));
    QCOMPARE(QApplication::focusWidget(), window.cmdDone);
}

void TestRigControlfrm::failedSaveIsReported()
{
    RigHarness h;
    // A folder where the file should be: it neither reads nor can be kept aside or replaced.
    QVERIFY(QDir(h.dir.path()).mkdir(QStringLiteral("RigCntrl.txt")));
    RigControlfrm window(h.rig(), h.fakes.prompts);
    window.show();
    window.cmdDone->click();
    QVERIFY(window.isHidden());
    QCOMPARE(h.fakes.prompts.messages.size(), 1);
    const ShownMessage& shown = h.fakes.prompts.messages[0];
    QCOMPARE(shown.title, QStringLiteral("Rig Settings Not Saved"));
    QVERIFY2(shown.details.contains(QStringLiteral("RigCntrl.txt")), qPrintable(shown.details));
}

void TestRigControlfrm::startUpWithAMissingPort()
{
    RigHarness h("Kenwood");
    h.writeRigFile(QStringLiteral("Kenwood"));
    h.station.prepareSerialLine = [](FakeSerialLine& line) {
        line.failNextOpen(SerialError::NotFound, QStringLiteral("No such file or directory"));
    };
    QWidget main;
    QAction rigInterface(&main);
    RigWindows* windows = connectRigMenus({&rigInterface, {}}, h.rig(), h.fakes.prompts, &main);
    QVERIFY(rigInterface.isEnabled());
    int modals = 0, result = -1;
    windows->setModalRunner([&](QDialog& dialog) {
        ++modals;
        // The operator picks "&Done" in the real modal loop; it must end that loop.
        QTimer::singleShot(0, &dialog, [&dialog] { static_cast<RigControlfrm&>(dialog).cmdDone->click(); });
        result = dialog.exec();
        return result;
    });
    QVERIFY(h.rig().startUp().isEmpty()); // no start-up failure: the operator is shown the window instead
    QCOMPARE(h.fakes.prompts.beeps, 1);
    QCOMPARE(h.fakes.prompts.messages.value(0).title, Rig::InvalidCommTitle);
    QCOMPARE(h.fakes.prompts.messages.value(0).text, Rig::InvalidCommText);
    QCOMPARE(h.fakes.prompts.messages.value(0).icon, MessageIcon::Information);
    QCOMPARE(modals, 1);
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY(windows->rigControl().isHidden());
    // "&Done" tested again: the port opened this time.
    QVERIFY(h.rig().polling());
    // A failure while the window is open shows the box only.
    h.rig().EndTest();
    windows->showRigInterface();
    h.line()->failNextOpen(SerialError::Busy, QStringLiteral("busy"));
    windows->rigControl().cmdTest->click();
    QCOMPARE(h.fakes.prompts.messages.size(), 2);
    QCOMPARE(modals, 1);
    rigInterface.trigger();
    QVERIFY(windows->rigControl().isVisible());
}

void TestRigControlfrm::lostPortOnTheMessageLine()
{
    RigHarness h("Kenwood");
    h.writeRigFile(QStringLiteral("Kenwood"));
    QWidget main;
    QStringList lines;
    connectRigMenus({nullptr, [&lines](const QString& text) { lines << text; }}, h.rig(), h.fakes.prompts,
                    &main);
    h.rig().startUp();
    h.line()->vanish(QStringLiteral("Input/output error"));
    QCOMPARE(lines, QStringList{QStringLiteral("Rig port lost: %1 (Input/output error)")
                                    .arg(SerialPortTable::defaultDevicePath(1))});
    QVERIFY(h.fakes.prompts.messages.isEmpty());
}

void TestRigControlfrm::keyboardReachesEverything()
{
    RigHarness h;
    RigControlfrm window(h.rig(), h.fakes.prompts);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // Arrows move within a group and choose as a click does.
    window.optBaud[2]->click();
    window.optBaud[2]->setFocus();
    QTest::keyClick(window.optBaud[2], Qt::Key_Left);
    QCOMPARE(h.rig().choices()[RigOption::Baud], 1);
    // Alt keys: the list, the query boxes, the buttons.
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), window.lstRig);
    QTest::keyClick(&window, Qt::Key_F, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), window.txtFreq);
    // Tab reaches every control that takes focus.
    QSet<QWidget*> reached;
    for (int i = 0; i < 80; ++i) {
        reached << QApplication::focusWidget();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (QWidget* control : std::initializer_list<QWidget*>{
             window.lstRig, window.txtFreq, window.txtMode, window.txtRigctld, window.txtDevice,
             window.chkConvertFrom, window.chkUseFrequency, window.cmdTest, window.cmdCopy, window.cmdDone,
             window.cmdChangeFrequency})
        QVERIFY2(reached.contains(control), qPrintable(control->objectName()));
}

void TestRigControlfrm::devicePathOfThePort()
{
    RigHarness h;
    RigControlfrm window(h.rig(), h.fakes.prompts);
    QCOMPARE(window.txtDevice->text(), SerialPortTable::defaultDevicePath(1));
    window.optPort[2]->click();
    QCOMPARE(window.txtDevice->text(), SerialPortTable::defaultDevicePath(3));
    window.txtDevice->setText(QStringLiteral("/tmp/radio"));
    Q_EMIT window.txtDevice->editingFinished();
    QCOMPARE(h.station.serialPorts.devicePath(3), QStringLiteral("/tmp/radio"));
    window.txtRigctld->setText(QStringLiteral("10.0.0.2:4533"));
    Q_EMIT window.txtRigctld->editingFinished();
    QCOMPARE(h.rig().rigctldAddress(), QStringLiteral("10.0.0.2:4533"));
}

void TestRigControlfrm::accessibleNames()
{
    RigHarness h("Kenwood");
    h.writeRigFile(QStringLiteral("Kenwood"));
    RigControlfrm window(h.rig(), h.fakes.prompts);
    window.show();
    QCOMPARE(window.optBaud[0]->parentWidget()->accessibleName(), QStringLiteral("Baud Rate (k)"));
    QCOMPARE(window.optPollRate[0]->parentWidget()->accessibleName(), QStringLiteral("Radio Polling Rate"));
    QCOMPARE(window.txtFreq->accessibleName(), QStringLiteral("String to read frequency"));
    QCOMPARE(window.lstRig->accessibleName(), QStringLiteral("Select Rig"));
    h.rig().startUp();
    h.line()->feed("FA00014025000;MD3;");
    h.rig().PollTick();
    QCOMPARE(window.lblFrequency->accessibleName(), QStringLiteral("Frequency: 14.02500"));
    QCOMPARE(window.lblMode->accessibleName(), QStringLiteral("Mode: CW"));
    QCOMPARE(window.lblPolling->accessibleName(), QStringLiteral("Polling Rig: on"));
    h.rig().EndTest();
    QCOMPARE(window.lblPolling->accessibleName(), QStringLiteral("Polling Rig: off"));
}

QTEST_MAIN(TestRigControlfrm)
#include "tst_rigcontrolfrm.moc"
