#pragma once
// Responsibilities: a RigPort for tests: a settable rig type and last frequency, and every tuning recorded.

#include "log/RigPort.h"

#include <QList>

namespace velm::test {

class FakeRigPort final : public RigPort {
public:
    QString RigType() const override { return rigType; }
    QString LastRigFrequencyText() const override { return lastFrequencyText; }
    void clearLastRigFrequencyText() override { lastFrequencyText.clear(); }
    void ChangeFrequency(float megahertz) override { tunedTo << megahertz; }

    QString rigType = QStringLiteral("None");
    QString lastFrequencyText;
    QList<float> tunedTo;
};

} // namespace velm::test
