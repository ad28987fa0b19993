#pragma once
// Responsibilities: SettingsStore on QSettings (organisation "Orvane_Software", application "velmlog",
// group "Settings"), written through at every change.

#include "platform/SettingsStore.h"

#include <QSettings>

namespace velm {

class QtSettingsStore final : public SettingsStore {
public:
    QtSettingsStore();
    QString value(const QString& key, const QString& defaultValue) const override;
    void setValue(const QString& key, const QString& value) override;

private:
    mutable QSettings m_settings;
};

} // namespace velm
