#pragma once
// Responsibilities: a RigPort for tests: a settable rig type, and every tuning recorded.

#include "log/RigPort.h"

#include <QList>

namespace velm::test {

class FakeRigPort final : public RigPort {
public:
    QString RigType() const override { return rigType; }
    void ChangeFrequency(float megahertz) override { tunedTo << megahertz; }

    QString rigType = QStringLiteral("None");
    QList<float> tunedTo;
};

} // namespace velm::test
