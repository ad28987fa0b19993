#include "log/StationProfile.h"

#include "log/WriteFormat.h"

namespace velm {

namespace {

QString numberText(float value)
{
    return QString::fromLatin1(formatSingle(value));
}

float numberOf(const QString& text)
{
    return parseSingle(QStringView(text)).value_or(0.0f);
}

} // namespace

StationFields stationFieldsFrom(const StationProfile& profile, const QString& userCallSign)
{
    StationFields fields;
    fields.Text1 = profile.OwnCall.isEmpty() ? userCallSign : profile.OwnCall;
    fields.Text5 = profile.OwnSpc;
    fields.Text6 = numberText(profile.UtcOffset);
    fields.Text2 = profile.OwnCountry;
    fields.Text3 = numberText(profile.OwnLongitude);
    fields.Text4 = numberText(profile.OwnLatitude);
    fields.Text7 = profile.OwnContinent;
    fields.Text8 = profile.OwnVelmPwr;
    return fields;
}

bool readsAsNumber(const QString& text)
{
    return parseSingle(QStringView(text)).has_value();
}

StationFields normalisedOnDone(StationFields fields)
{
    for (QString* text : {&fields.Text6, &fields.Text3, &fields.Text4}) {
        if (!readsAsNumber(*text))
            *text = QStringLiteral("0");
    }
    return fields;
}

SaveResult storeSharedStation(SharedPreferences& shared, const StationFields& fields)
{
    shared.SetSharedPreference(QStringLiteral("OWN_CALL"), fields.Text1, 0);
    shared.SetSharedPreference(QStringLiteral("OWN_SPC"), fields.Text5, 0);
    shared.SetSharedPreference(QStringLiteral("OWN_UTC"), fields.Text6, 0);
    shared.SetSharedPreference(QStringLiteral("OWN_COUNTRY"), fields.Text2, 0);
    shared.SetSharedPreference(QStringLiteral("OWN_LONGITUDE"), fields.Text3, 0);
    shared.SetSharedPreference(QStringLiteral("OWN_LATITUDE"), fields.Text4, 0);
    shared.SetSharedPreference(QStringLiteral("OWN_CONTINENT"), fields.Text7, 0);
    return shared.SetSharedPreference(QStringLiteral("OWN_VELM"), fields.Text8, 1);
}

StationProfile profileFromFields(const StationFields& fields)
{
    return {fields.Text1,           fields.Text5,           numberOf(fields.Text6), fields.Text2,
            numberOf(fields.Text3), numberOf(fields.Text4), fields.Text7,           fields.Text8};
}

bool utcFieldAccepts(QChar c)
{
    return c == QChar(u'\b') || (c >= QLatin1Char('-') && c <= QLatin1Char('9'));
}

} // namespace velm
