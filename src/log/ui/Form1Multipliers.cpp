// The main window's country lookup, multiplier grid, DX list, score block and rates.

#include "log/ui/Form1.h"

#include "log/ScoreStats.h"
#include "log/SpcTable.h"
#include "log/ui/Form6.h"
#include "platform/Clock.h"
#include "platform/ui/ColourValue.h"
#include "platform/ui/ValueLabel.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcLogWindow)

namespace velm {

bool Form1::LoadPrefixTable(QString* failure)
{
    QStringList folders;
    for (const QString& folder : {m_context.userFolders.SharedFolder, m_context.userFolders.UserDataFolder,
                                  m_context.programFolder.path()}) {
        if (!folder.isEmpty()) // an unknown folder must not become the current one
            folders << folder;
    }
    const FileResult result = m_prefixTable.LoadPrefixTable(folders);
    if (!result.ok) {
        qCWarning(lcLogWindow) << "prefix table not loaded:" << result.error;
        if (failure)
            *failure = result.error;
    }
    return result.ok;
}

void Form1::PrefixLookup()
{
    const PrefixLookupResult result = m_prefixTable.PrefixLookup(
        txtCall->text(), txtCntry->text(), m_prefs.OwnLatitude, m_prefs.OwnLongitude, m_spcFromLookup);
    if (result.spcText) {
        txtCntry->setText(*result.spcText);
        m_spcFromLookup = *result.spcText;
    }
    if (result.selectSpc)
        txtCntry->selectAll();
    if (!result.updateLabels)
        return;
    setValueLabel(Label19, QStringLiteral("Continent"), result.continent);
    setValueLabel(Label22, QStringLiteral("Bearing"), result.bearing);
    setValueLabel(Label23, QStringLiteral("Miles"), result.miles);
}

void Form1::clearLookupLabels()
{
    setValueLabel(Label19, QStringLiteral("Continent"), QString());
    setValueLabel(Label22, QStringLiteral("Bearing"), QString());
    setValueLabel(Label23, QStringLiteral("Miles"), QString());
}

void Form1::ProvinceFromCall()
{
    const QString province = m_prefixTable.ProvinceFromCall(txtCall->text(), txtCntry->text());
    if (province.isEmpty())
        return;
    txtCntry->setText(province);
    txtCntry->setSelection(0, 2);
}

void Form1::HDCalc(double cntlat, double cntlong)
{
    const std::optional<BearingDistance> result =
        velm::HDCalc(m_prefs.OwnLatitude, m_prefs.OwnLongitude, cntlat, cntlong);
    setValueLabel(Label22, QStringLiteral("Bearing"), result ? result->bearing : QString());
    setValueLabel(Label23, QStringLiteral("Miles"), result ? result->miles : QString());
}

void Form1::ListRefresh()
{
    List1->clear();
    List1->addItems(m_multipliers.dxCountries(m_prefs.CurrentBand));
    setValueLabel(lblStation.at(5), QStringLiteral("DX countries"), m_multipliers.dxCaption(m_prefs.CurrentBand));
}

void Form1::RefreshGrid()
{
    m_multipliers.RefreshGrid();
    for (int number = 1; number <= kGridSpcCount; ++number)
        paintGridLabel(number);
}

void Form1::paintGridLabel(int number)
{
    QLabel* label = Label10.at(number);
    const bool worked = m_multipliers.worked(m_prefs.CurrentBand, number);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     toQColor(quint32(worked ? m_prefs.WorkedColour : m_prefs.RemainingColour)));
    label->setPalette(palette);
    const SpcEntry& entry = spcEntry(number);
    label->setAccessibleName(QStringLiteral("%1 %2 %3").arg(entry.code, entry.name,
                                                            worked ? QStringLiteral("worked")
                                                                   : QStringLiteral("not worked")));
}

void Form1::Labeldisplay()
{
    const ScoreTexts texts =
        velm::Labeldisplay(m_store.QsoCount(), m_store.PointsTotal(), m_multipliers.totalMultipliers());
    setValueLabel(lblTotCon, QStringLiteral("Total Contacts"), texts.contacts);
    setValueLabel(lblsectogo, QStringLiteral("Total Multipliers"), texts.multipliers);
    setValueLabel(lblTotSec, QStringLiteral("Total QSO Points"), texts.points);
    setValueLabel(lblTotScore, QStringLiteral("Total Score"), texts.score);
}

void Form1::TimeStats()
{
    const std::optional<Rates> rates = velm::TimeStats(m_store, m_services.clock.localNow(), m_prefs.UtcOffset);
    if (!rates)
        return;
    setValueLabel(lblAQSO60, QStringLiteral("QSOs per hour, last 60 minutes"), QString::number(rates->last60));
    setValueLabel(lblAQSO20, QStringLiteral("QSOs per hour, last 20 minutes"), QString::number(rates->last20x3));
}

void Form1::UpdateNewIndicator()
{
    Label3->setVisible(m_multipliers.UpdateNewIndicator(txtCntry->text(), m_prefs.CurrentBand));
}

void Form1::mnuColors_Click()
{
    Form6 colours(m_services.prompts, quint32(m_prefs.RemainingColour), quint32(m_prefs.WorkedColour), this);
    m_runModal(colours);
    m_prefs.RemainingColour = qint32(colours.remainingColour());
    m_prefs.WorkedColour = qint32(colours.workedColour());
    SavePref();
    mnuOpen2();
}

void Form1::mnuListPrevious_Click()
{
    m_prefs.ListPrevious = mnuListPrevious->isChecked() ? 1 : 0;
    SavePref();
}

} // namespace velm
