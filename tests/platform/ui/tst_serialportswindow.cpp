// The Serial Ports window offscreen: what each number means, the system's devices offered, the status and
// the dialout hint, editing by keyboard alone, and the device label other windows show; plus the system
// catalog on a prepared /sys tree.

#include "platform/SerialPortTable.h"
#include "platform/io/SystemSerialPortCatalog.h"
#include "platform/ui/SerialDeviceLabel.h"
#include "platform/ui/SerialPortsWindow.h"
#include "support/FakeSerialPortCatalog.h"
#include "support/MemorySettingsStore.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace velm;

namespace {
const QString kAdapter = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A9X1-if00-port0");

QString spokenName(QWidget* widget)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name) : QString();
}
} // namespace

class TestSerialPortsWindow : public QObject {
    Q_OBJECT
private:
    test::MemorySettingsStore m_settings;
    test::FakeSerialPortCatalog m_catalog;

private Q_SLOTS:
    void init()
    {
        m_settings.values.clear();
        m_catalog.deviceList = {
            {kAdapter, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FTDI FT232R USB UART")},
            {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS0"), QString()}};
        m_catalog.accessOf = {{kAdapter, SerialAccess::Usable},
                              {QStringLiteral("/dev/ttyS0"), SerialAccess::Usable}};
    }

    void showsWhatEachNumberMeans()
    {
        SerialPortTable table(m_settings);
        table.setDevicePath(2, kAdapter);
        SerialPortsWindow window(table, m_catalog);
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("Serial Ports"));
        QCOMPARE(window.deviceField(1)->currentText(), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(window.deviceField(2)->currentText(), kAdapter);
        QCOMPARE(window.deviceField(16)->currentText(), QStringLiteral("/dev/ttyS15"));
        QVERIFY(!window.deviceField(17));
        // Every field offers its default and the adapters the system has.
        QVERIFY(window.deviceField(5)->findText(kAdapter) >= 0);
        QVERIFY(window.deviceField(5)->findText(QStringLiteral("/dev/ttyS4")) >= 0);
        QCOMPARE(window.statusLabel(1)->text(), QStringLiteral("ready"));
        QCOMPARE(window.statusLabel(2)->text(), QStringLiteral("ready, FTDI FT232R USB UART"));
        QCOMPARE(window.statusLabel(3)->text(), QStringLiteral("not present"));
        QCOMPARE(spokenName(window.statusLabel(3)), QStringLiteral("Port 3 status: not present"));
        QVERIFY(window.permissionHint()->isHidden());
    }

    void deviceWithoutPermissionNamesTheDialoutGroup()
    {
        m_catalog.accessOf.insert(QStringLiteral("/dev/ttyS0"), SerialAccess::NoPermission);
        SerialPortTable table(m_settings);
        SerialPortsWindow window(table, m_catalog);
        window.show();
        QCOMPARE(window.statusLabel(1)->text(), QStringLiteral("no permission (dialout group)"));
        QVERIFY(window.permissionHint()->isVisible());
        QVERIFY(window.permissionHint()->text().contains(QLatin1String("/dev/ttyS0")));
        QVERIFY(window.permissionHint()->text().contains(QLatin1String("dialout")));
        QVERIFY(spokenName(window.permissionHint()).startsWith(QLatin1String("Permission: No permission")));

        // Choosing another device for port 1 clears the hint at once.
        window.deviceField(1)->setEditText(kAdapter);
        QVERIFY(window.permissionHint()->isHidden());
    }

    void typedPathIsSavedByKeyboard()
    {
        SerialPortTable table(m_settings);
        QSignalSpy changed(&table, &SerialPortTable::changed);
        SerialPortsWindow window(table, m_catalog);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.focusPort(3);
        QComboBox* field = window.deviceField(3);
        QTRY_VERIFY(field->hasFocus());
        field->lineEdit()->selectAll();
        QTest::keyClicks(field->lineEdit(), QStringLiteral("/tmp/velm/ttyA"));
        QCOMPARE(window.statusLabel(3)->text(), QStringLiteral("not present"));
        // Tab moves to the next port's field.
        QTest::keyClick(field->lineEdit(), Qt::Key_Tab);
        QTRY_VERIFY(window.deviceField(4)->hasFocus());
        // Enter saves (the default button) and closes.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!window.isVisible());
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QCOMPARE(table.devicePath(3), QStringLiteral("/tmp/velm/ttyA"));
        QCOMPARE(m_settings.values.value(QStringLiteral("SerialPort3")), QStringLiteral("/tmp/velm/ttyA"));
        QCOMPARE(changed.count(), 1); // the untouched numbers keep their defaults, unstored
        QVERIFY(!m_settings.values.contains(QStringLiteral("SerialPort4")));
    }

    void cancelKeepsTheTable()
    {
        SerialPortTable table(m_settings);
        SerialPortsWindow window(table, m_catalog);
        window.show();
        window.deviceField(1)->setEditText(kAdapter);
        QTest::keyClick(&window, Qt::Key_Escape);
        QCOMPARE(window.result(), int(QDialog::Rejected));
        QCOMPARE(table.devicePath(1), QStringLiteral("/dev/ttyS0"));
    }

    void everyControlHasAName()
    {
        SerialPortTable table(m_settings);
        SerialPortsWindow window(table, m_catalog);
        window.show();
        const QList<QWidget*> widgets = window.findChildren<QWidget*>();
        for (QWidget* widget : widgets) {
            if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(&window))
                continue;
            QVERIFY2(!spokenName(widget).isEmpty(), qPrintable(widget->metaObject()->className() +
                                                               QStringLiteral(" ") + widget->objectName()));
        }
        // On Linux a combo box speaks its text as its name; its caption comes from the buddy label.
        QComboBox* field = window.deviceField(7);
        QCOMPARE(field->accessibleName(), QStringLiteral("Port 7 device"));
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(field);
        const auto labels = iface->relations(QAccessible::Label);
        QVERIFY(!labels.isEmpty());
        QCOMPARE(labels.first().first->text(QAccessible::Name), QStringLiteral("Port 7:"));
    }

    void openedWithoutBlockingAndFocusedOnThePort()
    {
        SerialPortTable table(m_settings);
        QWidget owner;
        owner.show();
        QPointer<SerialPortsWindow> window = openSerialPortsWindow(&owner, table, m_catalog, 4);
        QVERIFY(window->isVisible());
        QTRY_VERIFY(window->deviceField(4)->hasFocus());
        window->reject();
        QTRY_VERIFY(window.isNull()); // deleted on close
    }

    void deviceLabelFollowsTheTable()
    {
        SerialPortTable table(m_settings);
        SerialDeviceLabel label(table);
        QCOMPARE(label.text(), QStringLiteral("none"));
        QCOMPARE(spokenName(&label), QStringLiteral("Device: none"));
        label.setPortNumber(2);
        QCOMPARE(label.text(), QStringLiteral("/dev/ttyS1"));
        table.setDevicePath(2, kAdapter);
        QCOMPARE(label.text(), kAdapter);
        QCOMPARE(spokenName(&label), QStringLiteral("Device: ") + kAdapter);
        table.setDevicePath(3, QStringLiteral("/tmp/other"));
        QCOMPARE(label.text(), kAdapter);
    }

    void systemCatalogReadsSysfsWithoutOpening()
    {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString sys = root.filePath(QStringLiteral("sys"));
        const QString byId = root.filePath(QStringLiteral("by-id"));
        const QString dev = root.filePath(QStringLiteral("dev"));
        QDir().mkpath(byId);
        QDir().mkpath(dev);
        const auto makeTty = [&](const QString& name, const QString& type, bool device) {
            QDir().mkpath(sys + QLatin1Char('/') + name + (device ? QStringLiteral("/device") : QString()));
            if (!type.isEmpty()) {
                QFile file(sys + QLatin1Char('/') + name + QStringLiteral("/type"));
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(type.toLatin1() + '\n');
            }
        };
        makeTty(QStringLiteral("ttyS0"), QStringLiteral("4"), true); // a 16550A
        makeTty(QStringLiteral("ttyS1"), QStringLiteral("0"), true); // an empty slot
        makeTty(QStringLiteral("ttyS10"), QStringLiteral("4"), true);
        makeTty(QStringLiteral("ttyS2"), QStringLiteral("4"), true);
        makeTty(QStringLiteral("ttyUSB0"), QString(), true);
        makeTty(QStringLiteral("tty3"), QString(), false); // a virtual terminal
        QVERIFY(QFile::link(QStringLiteral("../ttyUSB0"),
                            byId + QStringLiteral("/usb-FTDI_FT232R_USB_UART_A9X1-if00-port0")));

        SystemSerialPortCatalog catalog(sys, byId, dev);
        const QList<SerialDeviceInfo> devices = catalog.devices();
        QStringList paths;
        for (const SerialDeviceInfo& device : devices)
            paths << device.path;
        QCOMPARE(paths, QStringList({dev + QStringLiteral("/ttyS0"), dev + QStringLiteral("/ttyS2"),
                                     dev + QStringLiteral("/ttyS10"),
                                     byId + QStringLiteral("/usb-FTDI_FT232R_USB_UART_A9X1-if00-port0")}));
        QCOMPARE(devices.last().devicePath, dev + QStringLiteral("/ttyUSB0"));
        QCOMPARE(devices.last().description, QStringLiteral("FTDI FT232R USB UART A9X1"));

        QCOMPARE(catalog.access(dev + QStringLiteral("/ttyNone")), SerialAccess::Missing);
        QFile present(dev + QStringLiteral("/ttyUSB0"));
        QVERIFY(present.open(QIODevice::WriteOnly));
        present.close();
        QCOMPARE(catalog.access(present.fileName()), SerialAccess::Usable);
    }
};

QTEST_MAIN(TestSerialPortsWindow)
#include "tst_serialportswindow.moc"
