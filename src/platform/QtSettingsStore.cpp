#include "platform/QtSettingsStore.h"

namespace velm {

namespace {
const QString kGroup = QStringLiteral("Settings");
}

QtSettingsStore::QtSettingsStore()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Orvane_Software"),
                 QStringLiteral("velmlog"))
{
}

QString QtSettingsStore::value(const QString& key, const QString& defaultValue) const
{
    return m_settings.value(kGroup + QLatin1Char('/') + key, defaultValue).toString();
}

void QtSettingsStore::setValue(const QString& key, const QString& value)
{
    m_settings.setValue(kGroup + QLatin1Char('/') + key, value);
    m_settings.sync();
}

} // namespace velm
