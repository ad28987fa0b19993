#pragma once
// Responsibilities: what the log and the spot views need of the rig link (its type, the frequency it last
// read for the next contact, tuning the radio), and NullRigPort for a program without a rig.

#include <QString>

namespace velm {

class RigPort {
public:
    virtual ~RigPort() = default;

    virtual QString RigType() const = 0; // "None" when no rig is set up
    // The frequency last read from the radio as the log stores it ("14025.000"); empty when none was read since
    // the last commit, which empties it.
    virtual QString LastRigFrequencyText() const = 0;
    virtual void clearLastRigFrequencyText() = 0;
    // Tunes the radio to the frequency in MHz; returns at once when no rig is being polled.
    virtual void ChangeFrequency(float megahertz) = 0;
};

class NullRigPort final : public RigPort {
public:
    QString RigType() const override { return QStringLiteral("None"); }
    QString LastRigFrequencyText() const override { return {}; }
    void clearLastRigFrequencyText() override {}
    void ChangeFrequency(float) override {}
};

} // namespace velm
