#pragma once
// Responsibilities: the contest entry sent to the sponsor: the claimed score (with power multiplier and
// home-brew bonus), the summary sheet and the Cabrillo log as text, and the write of both files.

#include "log/LogStore.h"
#include "log/MultiplierState.h"
#include "log/ProgramPreferences.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

namespace velm {

class Prompts;
class SettingsStore;
class SharedPreferences;

enum class ContestChoice {
    None,
    Topband,
    Fireside,
    SpringQsoParty,
    Hootowl,
    SummerHomebrew,
    FallQsoParty,
    Holiday
};
enum class CategoryChoice { None, AllBand, SingleBand, HighBands, LowBands, MultiOp, DX };
enum class ModeClass { None, CwOnly, Mixed, PhoneOnly };
enum class BonusKind { None, Transmitter, Receiver, Transceiver };

// The answers on the summary window, as the window starts.
struct SummaryInput {
    ContestChoice contest = ContestChoice::Fireside;
    CategoryChoice category = CategoryChoice::AllBand;
    ModeClass mode = ModeClass::CwOnly;
    BonusKind bonus = BonusKind::None;
    QString bands = QStringLiteral("0"); // bands used with home-brew gear; may be fractional
    QString power;                       // watts
    QString transmitter, receiver, antennas, soapbox;
    QString name, address1, address2, email;
};

// What the entry is built from besides the window's answers. The texts are as the main window shows them.
struct EntrySources {
    const LogStore& store;
    const MultiplierState& multipliers;
    const ProgramPreferences& preferences;
    QString programTitle;     // the main window's title
    QString totalMultipliers; // the total-multipliers label
    QString operatingTime;    // the operating-time label
};

QString contestTitle(ContestChoice contest);
QString categoryText(CategoryChoice category);
QString modeCode(ModeClass mode);

// 1, 7, 10, 15 or 20 by the power in watts; "Phone Only" has its own bounds (exclusive below, inclusive
// above).
int PowerMultiplier(double watts, ModeClass mode);
// bands x 2000/3000/5000 in the two homebrew sprints, otherwise 0; std::nullopt when it overflows a double.
std::optional<double> HomebrewBonus(ContestChoice contest, BonusKind bonus, double bands);

// A number as the files write it: a blank (or "-") in front, one blank after, shortest form; integers in
// full, doubles to 15 significant digits, floats to 7, with an exponent ("1.234568E+07") from one digit
// more than that in the integer part.
QString numberText(qint64 value);
QString numberText(double value);
QString numberText(float value);
// Width of a number in column arithmetic: its text without the trailing blank.
int numberWidth(const QString& numberText);

// Appends blanks until the next character falls in column (1-based); nothing when it already does or the
// line is past it.
void goToColumn(QString& line, int column);

// One "QSO:" line of the Cabrillo log (without the line end). Each part starts at its fixed column; a part
// wider than its slot is written whole and the rest moves right, one blank after it.
QString cabrilloQsoLine(const QsoRecord& record, const ProgramPreferences& own);

// The summary file for a Cabrillo path: its last three characters replaced by "sum"; none for a path of
// three characters or fewer.
std::optional<QString> summaryPathFor(const QString& cabrilloPath);

// Windows-1252, what the sponsors' tools read; a character it cannot hold becomes "?".
QByteArray encodeWindows1252(const QString& text);

// The derived values of one entry and the two files built from them.
class ContestEntry {
public:
    struct BandFigures {
        QString band;
        double points = 0;
        int spc = 0;
    };

    // Computes every derived value. When a value cannot be computed (the bands or multiplier text is no
    // number, an overflow), error() says why and the claimed score stays 0.
    ContestEntry(const SummaryInput& input, const EntrySources& sources);

    const QString& error() const { return m_error; }
    const QString& title() const { return m_title; }
    const QString& category() const { return m_category; }
    const QString& mode() const { return m_mode; }
    int powerMultiplier() const { return m_powerMultiplier; }
    double homebrewBonus() const { return m_bonus; }
    float ClaimedScore() const { return m_claimedScore; }
    const std::array<BandFigures, 7>& bands() const { return m_bands; }

    // The files' text with CR LF line ends; the summary only when error() is empty.
    QString summarySheet() const;
    QString cabrilloLog() const;

private:
    SummaryInput m_input;
    ProgramPreferences m_own; // OwnCall trimmed
    const LogStore& m_store;
    QString m_programTitle, m_totalMultipliersText, m_operatingTime;
    QString m_error;
    QString m_title, m_category, m_mode;
    int m_powerMultiplier = 1;
    double m_bonus = 0;
    double m_spcTotal = 0;
    float m_claimedScore = 0;
    std::array<BandFigures, 7> m_bands;
};

// Where the window's write goes: the services it talks through and the folders it proposes.
struct EntryWriteContext {
    Prompts& prompts;
    SettingsStore& settings;
    SharedPreferences& shared;
    QString userDataFolder;
};

enum class WriteOutcome { PowerNotNumeric, Cancelled, Failed, Written };

inline const QString kPowerMessage = QStringLiteral("Please enter a numeric value in the power field.");
inline const QString kPowerTitle = QStringLiteral("Please enter your output power.");
inline const QString kWriteFailedTitle = QStringLiteral("Unable to write file.");

// Whether the power field reads as a number.
bool powerIsNumeric(const QString& power);

// The whole write: power check (message shown here), save dialog, summary sheet, Cabrillo log, beep, the
// name and address kept for next time, and the closing messages. The summary is complete on disk before
// the Cabrillo file is written; a failed summary is reported and the Cabrillo file is still written.
WriteOutcome WriteSummaryAndLog(const SummaryInput& input, const EntrySources& sources,
                                const EntryWriteContext& context);

} // namespace velm
