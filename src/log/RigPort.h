#pragma once
// Responsibilities: what the log and the spot views need of the rig link (its type, tuning the radio), and
// NullRigPort for a program without a rig. The rig tells the log its frequency and mode through the contest
// session (BandFreqConversion, ModeSelection).

#include <QString>

namespace velm {

class RigPort {
public:
    virtual ~RigPort() = default;

    virtual QString RigType() const = 0; // "None" when no rig is set up
    // Tunes the radio to the frequency in MHz; returns at once when no rig is being polled.
    virtual void ChangeFrequency(float megahertz) = 0;
};

class NullRigPort final : public RigPort {
public:
    QString RigType() const override { return QStringLiteral("None"); }
    void ChangeFrequency(float) override {}
};

} // namespace velm
