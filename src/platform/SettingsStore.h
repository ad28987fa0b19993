#pragma once
// Responsibilities: the per-user store of named texts (application "Orvane_Software", section "Settings");
// an absent key yields the default the caller states.

#include <QString>

namespace velm {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString value(const QString& key, const QString& defaultValue = QString()) const = 0;
    virtual void setValue(const QString& key, const QString& value) = 0;
};

} // namespace velm
