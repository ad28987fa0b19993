#include "rig/PegasusFiles.h"

#include "log/ProgramFolder.h"
#include "log/WriteFormatItems.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>

#include <cmath>

namespace velm {

QString defaultPegasusFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("c:/Pegasus");
#else
    return QDir::home().filePath(QStringLiteral(".wine/drive_c/Pegasus"));
#endif
}

QString pegasusFolder(const SettingsStore& settings)
{
    const QString chosen = settings.value(pegasus::FolderKey).trimmed();
    return chosen.isEmpty() ? defaultPegasusFolder() : chosen;
}

void ReadPegasusFile(const QString& folder, RigReadings& readings)
{
    QFile file(findFileIgnoringCase(folder, pegasus::OutFileName));
    if (!file.open(QIODevice::ReadOnly))
        return;
    if (file.size() > pegasus::kMaxOutFileBytes)
        return;
    const QByteArray data = file.read(pegasus::kMaxOutFileBytes + 1);
    file.close();
    if (data.size() > pegasus::kMaxOutFileBytes)
        return;
    parsePegasusOut(data, readings);
}

void parsePegasusOut(QByteArrayView data, RigReadings& readings)
{
    WriteFormatItems items(data);
    const std::optional<WriteValue> frequency = items.next();
    if (!frequency || (!frequency->quoted && !items.lastValueEnded()))
        return;
    const std::optional<double> mhz = frequency->number();
    if (!mhz || !(*mhz > 0) || !(*mhz < 100000))
        return;
    readings.RigFrequency = float(*mhz);

    const std::optional<WriteValue> mode = items.next();
    if (!mode)
        return;
    const QString text = mode->text().trimmed();
    if (text.isEmpty())
        return;
    readings.RigMode = text.compare(kModeCw, Qt::CaseInsensitive) == 0 ? kModeCw : kModePhone;
}

} // namespace velm
