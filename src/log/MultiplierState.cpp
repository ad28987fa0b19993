#include "log/MultiplierState.h"

namespace velm {

bool isDxCountryText(const QString& text)
{
    if (text.size() <= 2)
        return false;
    static const QLatin1String notDx[] = {QLatin1String("USA"), QLatin1String("Canada"),
                                          QLatin1String("Alaska"), QLatin1String("Hawaii"),
                                          QLatin1String("Not Found")};
    for (const QLatin1String& name : notDx) {
        if (text.compare(name, Qt::CaseInsensitive) == 0)
            return false;
    }
    return true;
}

void MultiplierState::reloadStarted()
{
    m_worked = {};
    for (DxList& list : m_dx)
        list = {};
    m_spcMultiplierCount = 0;
}

void MultiplierState::recordLoaded(const QsoRecord& record)
{
    if (record.Spc.size() == 2)
        MarkSpcWorked(record.Band, record.Spc);
    else
        AddDxCountry(record.Band, record.Spc); // refuses non-countries, repeats and a full list alike
}

void MultiplierState::RefreshGrid()
{
    int count = 0;
    for (int column = 1; column <= kBandColumnCount; ++column) {
        for (int number = 1; number <= kGridSpcCount; ++number)
            count += m_worked[std::size_t(column)][std::size_t(number)] ? 1 : 0;
    }
    m_spcMultiplierCount = count;
}

bool MultiplierState::worked(const QString& band, int spcNumber) const
{
    const int column = bandColumn(band);
    if (column == 0 || spcNumber < 1 || spcNumber > kGridSpcCount)
        return false;
    return m_worked[std::size_t(column)][std::size_t(spcNumber)];
}

const QStringList& MultiplierState::dxCountries(const QString& band) const
{
    // Column 0 is never filled, so it serves as the empty list for texts that are no band.
    return m_dx[std::size_t(bandColumn(band))].countries;
}

int MultiplierState::totalMultipliers() const
{
    int total = m_spcMultiplierCount;
    for (int column = 1; column <= kBandColumnCount; ++column)
        total += int(m_dx[std::size_t(column)].countries.size());
    return total;
}

QString MultiplierState::dxCaption(const QString& band) const
{
    return QStringLiteral("DX ") + band + QStringLiteral(" -") + QString::number(dxCount(band));
}

bool MultiplierState::MarkSpcWorked(const QString& band, const QString& spc)
{
    const int column = bandColumn(band);
    const int number = findGridSpc(spc);
    if (column == 0 || number == 0)
        return false;
    bool& flag = m_worked[std::size_t(column)][std::size_t(number)];
    if (flag)
        return false;
    flag = true;
    ++m_spcMultiplierCount;
    return true;
}

MultiplierState::AddResult MultiplierState::AddDxCountry(const QString& band, const QString& country)
{
    const int column = bandColumn(band);
    if (column == 0 || !isDxCountryText(country))
        return AddResult::NotABand;
    DxList& list = m_dx[std::size_t(column)];
    const QString folded = country.toCaseFolded();
    if (list.folded.contains(folded))
        return AddResult::AlreadyThere;
    if (list.countries.size() >= DxListCapacity)
        return AddResult::ListFull;
    list.countries.append(country);
    list.folded.insert(folded);
    return AddResult::Added;
}

bool MultiplierState::UpdateNewIndicator(const QString& spcText, const QString& band) const
{
    const int column = bandColumn(band);
    return column != 0 && isDxCountryText(spcText) &&
           !m_dx[std::size_t(column)].folded.contains(spcText.toCaseFolded());
}

int MultiplierState::spcTotal(const LogStore& store, const QString& code)
{
    int count = 0;
    for (int number = 1; number <= store.QsoCount(); ++number)
        count += store.record(number).Spc.compare(code, Qt::CaseInsensitive) == 0 ? 1 : 0;
    return count;
}

} // namespace velm
