#pragma once
// Responsibilities: a RigPort for tests: a settable rig type, every tuning recorded, and an optional step
// run inside ChangeFrequency (a real rig lets events run while it waits for the radio).

#include "log/RigPort.h"

#include <QList>

#include <functional>

namespace velm::test {

class FakeRigPort final : public RigPort {
public:
    QString RigType() const override { return rigType; }
    void ChangeFrequency(float megahertz) override
    {
        tunedTo << megahertz;
        if (whileTuning)
            whileTuning();
    }

    QString rigType = QStringLiteral("None");
    QList<float> tunedTo;
    std::function<void()> whileTuning;
};

} // namespace velm::test
