#pragma once
// Responsibilities: the multipliers worked so far: the per-band worked flags of the S/P/C grid, the per-band
// lists of DX countries, and the counts that make up the score's multiplier; rebuilt by every reload.

#include "log/LogFile.h"
#include "log/LogStore.h"
#include "log/QsoRecord.h"
#include "log/SpcTable.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <array>

namespace velm {

// Whether an S/P/C text names a DX country: longer than two characters and none of the texts the call
// lookup gives for stations that are not DX ("USA", "Canada", "Alaska", "Hawaii", "Not Found"), in any
// letter case. The reload and the commit use the same rule, so a log rescores the same after a reload.
bool isDxCountryText(const QString& text);

class MultiplierState final : public LogReloadObserver {
public:
    static constexpr int DxListCapacity = 1000;

    // Clears flags, lists and counts.
    void reloadStarted() override;
    // A two-character S/P/C sets its grid flag on the record's band; a DX country joins the band's list
    // unless already there (ignoring case). A country beyond a full list is left out of it (the record
    // stays in the log, it just earns no multiplier), as a commit would have refused it.
    void recordLoaded(const QsoRecord& record) override;

    // Recounts SpcMultiplierCount from the flags of all seven bands. Calling it again changes nothing.
    void RefreshGrid();

    // Whether S/P/C number 1..62 is worked on band; false for any other band text or number.
    bool worked(const QString& band, int spcNumber) const;
    int SpcMultiplierCount() const { return m_spcMultiplierCount; }

    // The band's DX countries in order of first contact; empty for a text that is no band.
    const QStringList& dxCountries(const QString& band) const;
    int dxCount(const QString& band) const { return int(dxCountries(band).size()); }
    // SpcMultiplierCount plus the seven DX counts.
    int totalMultipliers() const;
    // "DX " + band + " -" + the band's DX count, e.g. "DX 20 -7".
    QString dxCaption(const QString& band) const;

    // After a commit with a two-character S/P/C: true when its flag on band was newly set (the window then
    // paints that grid label as worked); false when already set, or when spc or band is not in the grid.
    bool MarkSpcWorked(const QString& band, const QString& spc);

    // After a commit while "New" is shown. Nothing changes unless the result is Added. NotABand also covers
    // a text that is no DX country.
    enum class AddResult { Added, AlreadyThere, ListFull, NotABand };
    AddResult AddDxCountry(const QString& band, const QString& country);

    // Whether the "New" indicator shows for this S/P/C field text on band: a DX country not yet worked there.
    bool UpdateNewIndicator(const QString& spcText, const QString& band) const;

    // The number of records, all bands, whose S/P/C equals code ignoring case (the grid's hover line).
    static int spcTotal(const LogStore& store, const QString& code);

private:
    struct DxList {
        QStringList countries;
        QSet<QString> folded; // the same countries case-folded, for the ignore-case lookup
    };

    // Indexed by band column 1..7 and S/P/C number 1..62; index 0 unused.
    std::array<std::array<bool, kGridSpcCount + 1>, kBandColumnCount + 1> m_worked{};
    std::array<DxList, kBandColumnCount + 1> m_dx;
    int m_spcMultiplierCount = 0;
};

} // namespace velm
