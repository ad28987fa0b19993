#pragma once
// Responsibilities: a SettingsStore held in memory, so tests never touch the real per-user store.

#include "platform/SettingsStore.h"

#include <QHash>

namespace velm::test {

class MemorySettingsStore final : public SettingsStore {
public:
    QString value(const QString& key, const QString& defaultValue) const override
    {
        return values.value(key, defaultValue);
    }
    void setValue(const QString& key, const QString& value) override { values.insert(key, value); }

    QHash<QString, QString> values;
};

} // namespace velm::test
