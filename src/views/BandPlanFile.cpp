#include "views/BandPlanFile.h"

#include "log/ProgramFolder.h"
#include "log/WriteFormatItems.h"

#include <QFile>

#include <cmath>

namespace velm {

namespace {

BandPlan failed(BandPlan plan, QString why)
{
    plan.ok = false;
    plan.error = std::move(why);
    return plan;
}

} // namespace

BandPlan parseBandPlan(QByteArrayView bytes)
{
    BandPlan plan;
    WriteFormatItems items(bytes);
    const std::optional<WriteValue> date = items.next();
    if (!date)
        return failed(std::move(plan), items.error().isEmpty() ? QStringLiteral("no effective date")
                                                                : items.error());
    QString dateText = date->text().trimmed();
    if (!date->quoted && dateText.size() >= 2 && dateText.startsWith(QLatin1Char('#')) &&
        dateText.endsWith(QLatin1Char('#')))
        dateText = dateText.mid(1, dateText.size() - 2);
    plan.EffectiveDate = dateText;

    while (true) {
        std::optional<WriteValue> values[5];
        values[0] = items.next();
        if (!values[0]) {
            if (!items.error().isEmpty())
                return failed(std::move(plan), items.error());
            break; // the end of the file
        }
        if (plan.rows.size() >= bandplan::kMaxRows)
            return failed(std::move(plan), QStringLiteral("more than %1 rows").arg(bandplan::kMaxRows));
        for (int i = 1; i < 5; ++i) {
            values[i] = items.next();
            if (!values[i])
                return failed(std::move(plan), QStringLiteral("row %1 is cut short").arg(plan.rows.size() + 1));
        }
        BandPlanRow row;
        row.band = values[0]->text();
        row.licenceClass = values[1]->text();
        row.mode = values[2]->text();
        const std::optional<double> lower = values[3]->number();
        const std::optional<double> upper = values[4]->number();
        if (!lower || !upper || !std::isfinite(*lower) || !std::isfinite(*upper) || std::abs(*lower) > 1e30 ||
            std::abs(*upper) > 1e30)
            return failed(std::move(plan), QStringLiteral("row %1: an edge is not a number").arg(plan.rows.size() + 1));
        row.lower = float(*lower);
        row.upper = float(*upper);
        plan.rows.append(std::move(row));
    }
    plan.ok = true;
    return plan;
}

BandPlan readBandPlan(const QString& folder)
{
    QFile file(findFileIgnoringCase(folder, bandplan::FileName));
    if (!file.open(QIODevice::ReadOnly))
        return failed({}, file.errorString());
    if (file.size() > bandplan::kMaxBytes)
        return failed({}, QStringLiteral("the file is larger than %1 bytes").arg(bandplan::kMaxBytes));
    const QByteArray bytes = file.read(bandplan::kMaxBytes + 1);
    if (bytes.size() > bandplan::kMaxBytes)
        return failed({}, QStringLiteral("the file is larger than %1 bytes").arg(bandplan::kMaxBytes));
    return parseBandPlan(bytes);
}

} // namespace velm
