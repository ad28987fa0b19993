#pragma once
// Responsibilities: byte writes to a parallel port's registers by I/O address, as the CW "Printer" keying and
// the voice keyer's "Parallel" PTT make them (3 to base + 2 keys, 2 releases); the address text "&H378";
// which device an address means (&H378 → /dev/parport0, &H278 → /dev/parport1, per-user ParallelPort<hex>).
// Used by CW keying and voice PTT through ParallelKeyLine; main builds one PpdevParallelPort
// (velm_platform_io) shared by both, so one address is claimed once; tests use FakeParallelPort
// (tests/support).

#include <QString>
#include <QtGlobal>
#include <optional>

namespace velm {

class SettingsStore;

// The control-register bytes of a key line on a parallel port.
constexpr quint8 kParallelKeyDown = 3;
constexpr quint8 kParallelKeyUp = 2;
// The control register is base + 2.
constexpr quint16 kParallelControlOffset = 2;

class ParallelPort {
public:
    virtual ~ParallelPort() = default;
    // Makes the port at baseAddress ready and writes kParallelKeyUp to its control register. False with
    // errorString() naming the device, the reason and the cure when it cannot be used.
    virtual bool open(quint16 baseAddress) = 0;
    // Writes value to the I/O address (base or base + 2 of a port; the port is opened first when needed).
    virtual bool write(quint16 address, quint8 value) = 0;
    // Releases every port: key up, then the claim is given back.
    virtual void closeAll() = 0;
    virtual QString errorString() const = 0;
};

// "&H378" (hexadecimal, either case) or "888" (decimal) as the settings windows hold the address; blanks
// around it are ignored. nullopt for anything else or a value outside 1..0xFFFF: nothing is written then.
std::optional<quint16> parseIoAddress(const QString& text);

// The base address the registers of a write to address belong to: ports sit on 4-byte boundaries.
constexpr quint16 parallelBaseOf(quint16 address)
{
    return quint16(address & ~quint16(3));
}

// The per-user setting that names the device of a base address: "ParallelPort378".
QString parallelPortSettingKey(quint16 baseAddress);

// The device of a base address: the per-user setting when present, else /dev/parport0 for &H378 and
// /dev/parport1 for &H278; empty for other addresses without a setting.
QString parallelDevicePath(quint16 baseAddress, const SettingsStore& settings);

} // namespace velm
