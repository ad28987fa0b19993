#include "output/ContestEntry.h"

#include "log/BandMode.h"
#include "log/CallFileStem.h"
#include "log/FileIo.h"
#include "log/SharedPreferences.h"
#include "log/SpcTable.h"
#include "log/WriteFormat.h"
#include "platform/Prompts.h"
#include "platform/SettingsStore.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <limits>

namespace velm {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kTableRule = QStringLiteral("|______|________|_______|");

const std::array<const char*, 7> kBandCells = {"| 160  |", "|  80  |", "|  40  |", "|  20  |",
                                               "|  15  |", "|  10  |", "|   6  |"};

// A line break inside a typed text would start a line of its own in the files (a forged "QSO:" line in
// the Cabrillo log), so it is written as a blank.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// Fixed-column placement for the QSO line: a part that overran its slot keeps one blank before the next,
// so that a Cabrillo reader still sees two fields.
void startPart(QString& line, int column)
{
    if (line.size() > column - 1)
        line += QLatin1Char(' ');
    else
        goToColumn(line, column);
}

QString signedText(const QString& digits, bool negative)
{
    return (negative ? QStringLiteral("-") : QStringLiteral(" ")) + digits + QLatin1Char(' ');
}

QString floatingText(double value, int significantDigits)
{
    if (value == 0) // also -0
        return QStringLiteral(" 0 ");
    QString digits = QString::number(std::fabs(value), 'g', significantDigits);
    digits.replace(QLatin1Char('e'), QLatin1Char('E'));
    return signedText(digits, value < 0);
}

const char* frequencyOf(const QString& band)
{
    static const std::array<const char*, 7> frequencies = {" 1800", " 3500", " 7000", "14000",
                                                           "21000", "28000", "50"};
    const int column = bandColumn(band);
    return column == 0 ? "" : frequencies[std::size_t(column - 1)];
}

QString cabrilloDate(const QString& stored)
{
    const QDate date = QDate::fromString(stored, QStringLiteral("yyyy/M/d"));
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : stored;
}

// Column placement of a number: right-aligned so its last digit falls in column lastDigit.
void appendNumberEndingAt(QString& line, const QString& number, int lastDigit)
{
    goToColumn(line, lastDigit + 1 - numberWidth(number));
    line += number;
}

} // namespace

QString contestTitle(ContestChoice contest)
{
    switch (contest) {
    case ContestChoice::SpringQsoParty:
        return QStringLiteral("QRP VELM Spring QSO Party");
    case ContestChoice::Hootowl:
        return QStringLiteral("QRP VELM Hootowl Sprint");
    case ContestChoice::SummerHomebrew:
        return QStringLiteral("QRP VELM Summer Homebrew Sprint");
    case ContestChoice::FallQsoParty:
        return QStringLiteral("QRP VELM Fall QSO Party");
    case ContestChoice::Holiday:
        return QStringLiteral("QRP VELM Holiday Spirits Homebrew Sprint");
    case ContestChoice::Topband:
        return QStringLiteral("QRP VELM Topband CW & SSB Sprint");
    case ContestChoice::Fireside:
    case ContestChoice::None:
        break;
    }
    return QStringLiteral("QRP VELM Fireside SSB Sprint");
}

QString categoryText(CategoryChoice category)
{
    switch (category) {
    case CategoryChoice::SingleBand:
        return QStringLiteral("Single Band");
    case CategoryChoice::HighBands:
        return QStringLiteral("High Bands");
    case CategoryChoice::LowBands:
        return QStringLiteral("Low Bands");
    case CategoryChoice::MultiOp:
        return QStringLiteral("Multi-Op");
    case CategoryChoice::DX:
        return QStringLiteral("DX");
    case CategoryChoice::AllBand:
    case CategoryChoice::None:
        break;
    }
    return QStringLiteral("All band");
}

QString modeCode(ModeClass mode)
{
    switch (mode) {
    case ModeClass::Mixed:
        return QStringLiteral("MIXED");
    case ModeClass::PhoneOnly:
        return QStringLiteral("PH");
    case ModeClass::CwOnly:
    case ModeClass::None:
        break;
    }
    return QStringLiteral("CW");
}

int PowerMultiplier(double watts, ModeClass mode)
{
    const bool phone = mode == ModeClass::PhoneOnly;
    if (watts > (phone ? 10.0 : 5.0))
        return 1;
    if (watts > (phone ? 2.0 : 1.0))
        return 7;
    if (watts > (phone ? 0.5 : 0.25))
        return 10;
    if (watts > (phone ? 0.1 : 0.055))
        return 15;
    return 20;
}

std::optional<double> HomebrewBonus(ContestChoice contest, BonusKind bonus, double bands)
{
    if (contest != ContestChoice::SummerHomebrew && contest != ContestChoice::Holiday)
        return 0.0;
    double perBand = 0;
    switch (bonus) {
    case BonusKind::Transmitter:
        perBand = 2000;
        break;
    case BonusKind::Receiver:
        perBand = 3000;
        break;
    case BonusKind::Transceiver:
        perBand = 5000;
        break;
    case BonusKind::None:
        return 0.0;
    }
    const double result = bands * perBand;
    if (!std::isfinite(result))
        return std::nullopt;
    return result;
}

QString numberText(qint64 value)
{
    return signedText(QString::number(value < 0 ? -value : value), value < 0);
}

QString numberText(double value)
{
    return floatingText(value, 15);
}

QString numberText(float value)
{
    return floatingText(double(value), 7);
}

int numberWidth(const QString& numberText)
{
    return int(numberText.size()) - 1;
}

void goToColumn(QString& line, int column)
{
    if (line.size() < column - 1)
        line += QString(column - 1 - line.size(), QLatin1Char(' '));
}

QString cabrilloQsoLine(const QsoRecord& record, const ProgramPreferences& own)
{
    QString line = QStringLiteral("QSO:");
    startPart(line, 6);
    line += QLatin1String(frequencyOf(record.Band));
    startPart(line, 12);
    line += oneLine(record.Mode);
    startPart(line, 15);
    line += oneLine(cabrilloDate(record.QsoDate));
    startPart(line, 26);
    line += oneLine(record.QsoTime.mid(0, 2) + record.QsoTime.mid(3, 2));
    startPart(line, 31);
    line += oneLine(own.OwnCall.trimmed().left(7));
    startPart(line, 38);
    line += oneLine(record.RstSnt);
    startPart(line, 42);
    line += oneLine(own.OwnSpc.left(2) + QLatin1Char(' ') + own.OwnVelmPwr);
    startPart(line, 52);
    line += oneLine(record.Call.left(10));
    startPart(line, 62);
    line += oneLine(record.RstRcvd);
    startPart(line, 66);
    line += oneLine(record.Spc.left(9));
    startPart(line, 75);
    line += oneLine(record.VelmPwr);
    return line;
}

std::optional<QString> summaryPathFor(const QString& cabrilloPath)
{
    if (cabrilloPath.size() <= 3)
        return std::nullopt;
    return cabrilloPath.chopped(3) + QStringLiteral("sum");
}

QByteArray encodeWindows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // The C1 controls stand for the bytes the code page leaves undefined: no character for a sponsor.
        const bool control = c.unicode() >= 0x80 && c.unicode() <= 0x9F;
        const std::optional<char> byte = control ? std::nullopt : windows1252Byte(c);
        // A character beyond the basic plane is one "?", not two.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        bytes += byte.value_or('?');
    }
    return bytes;
}

ContestEntry::ContestEntry(const SummaryInput& input, const EntrySources& sources)
    : m_input(input), m_own(sources.preferences), m_store(sources.store),
      m_programTitle(sources.programTitle), m_totalMultipliersText(sources.totalMultipliers),
      m_operatingTime(sources.operatingTime)
{
    m_own.OwnCall = m_own.OwnCall.trimmed();
    m_title = contestTitle(input.contest);
    m_category = categoryText(input.category);
    m_mode = modeCode(input.mode);

    for (std::size_t b = 0; b < m_bands.size(); ++b) {
        BandFigures& figures = m_bands[b];
        figures.band = Band::all()[b].text();
        for (int spc = 1; spc <= kGridSpcCount; ++spc)
            figures.spc += sources.multipliers.worked(figures.band, spc) ? 1 : 0;
        figures.spc += sources.multipliers.dxCount(figures.band);
    }
    for (int number = 1; number <= m_store.QsoCount(); ++number) {
        const QsoRecord& record = m_store.record(number);
        const int column = bandColumn(record.Band);
        if (column != 0)
            m_bands[std::size_t(column - 1)].points += record.Points;
    }

    const std::optional<double> watts = parseNumber(QStringView(input.power));
    m_powerMultiplier = PowerMultiplier(watts.value_or(0), input.mode);

    const std::optional<double> bands = parseNumber(QStringView(input.bands));
    const std::optional<double> spcTotal = parseNumber(QStringView(sources.totalMultipliers));
    if (!bands || !spcTotal) {
        m_error = QStringLiteral("Type mismatch: \"%1\" is not a number.")
                      .arg(!bands ? input.bands : sources.totalMultipliers);
        return;
    }
    m_spcTotal = *spcTotal;
    const std::optional<double> bonus = HomebrewBonus(input.contest, input.bonus, *bands);
    if (!bonus) {
        m_error = QStringLiteral("Overflow: the home-brew bonus is too large.");
        return;
    }
    m_bonus = *bonus;
    const double score = double(m_store.PointsTotal()) * m_spcTotal * m_powerMultiplier + m_bonus;
    if (!std::isfinite(score) || std::fabs(score) > double(std::numeric_limits<float>::max())) {
        m_error = QStringLiteral("Overflow: the claimed score is too large.");
        return;
    }
    m_claimedScore = float(score);
}

QString ContestEntry::summarySheet() const
{
    QStringList lines;
    lines << QStringLiteral("QRP VELM CONTEST SUMMARY SHEET") << QString();
    lines << QStringLiteral("QRP VELM CONTEST: ") + m_title + QStringLiteral("     MODE: ") + m_mode
          << QString();
    lines << QStringLiteral("CALL: ") + m_own.OwnCall + QStringLiteral("  S/P/C(QTH): ") + m_own.OwnSpc +
                 QStringLiteral("  QRP #/POWER: ") + m_own.OwnVelmPwr + QStringLiteral("  ENTRY: ") +
                 m_category
          << QString();
    lines << QStringLiteral("________________________") << QStringLiteral("| BAND | POINTS | S/P/C |")
          << kTableRule;

    const auto row = [](const QString& cell, const QString& points, const QString& spc) {
        QString line = cell;
        appendNumberEndingAt(line, points, 15);
        goToColumn(line, 17);
        line += QLatin1Char('|');
        appendNumberEndingAt(line, spc, 23);
        goToColumn(line, 25);
        line += QLatin1Char('|');
        return line;
    };
    for (std::size_t b = 0; b < m_bands.size(); ++b) {
        lines << row(QLatin1String(kBandCells[b]), numberText(m_bands[b].points),
                     numberText(qint64(m_bands[b].spc)))
              << kTableRule;
    }
    lines << row(QStringLiteral("|Totals|"), numberText(qint64(m_store.PointsTotal())),
                 numberText(m_spcTotal))
          << kTableRule;
    lines << QString() << QString();
    lines << QStringLiteral("  Total   X   Total   X   Power   +   Bonus   =      Final");
    lines << QStringLiteral("  Points      S/P/C       Mult        Points         Score") << QString();

    QString score;
    appendNumberEndingAt(score, numberText(qint64(m_store.PointsTotal())), 8);
    goToColumn(score, 11);
    score += QLatin1Char('X');
    // The S/P/C total goes in as shown on the main window, placed as its number would be.
    goToColumn(score, 20 - numberWidth(numberText(m_spcTotal)));
    score += m_totalMultipliersText;
    startPart(score, 23);
    score += QLatin1Char('X');
    appendNumberEndingAt(score, numberText(qint64(m_powerMultiplier)), 30);
    goToColumn(score, 35);
    score += QLatin1Char('+');
    appendNumberEndingAt(score, numberText(m_bonus), 44);
    goToColumn(score, 47);
    score += QLatin1Char('=');
    appendNumberEndingAt(score, numberText(m_claimedScore), 58);
    lines << score << QString() << QString();

    lines << QStringLiteral("TOTAL OPERATING TIME: ") + m_operatingTime << QString();
    lines << QStringLiteral("TRANSMITTER/TRANSCEIVER: ") + m_input.transmitter +
                 QStringLiteral(" POWER OUTPUT ") + m_input.power
          << QString();
    lines << QStringLiteral("RECEIVER: ") + m_input.receiver << QString();
    lines << QStringLiteral("ANTENNA(S): ") + m_input.antennas << QString();
    lines << QStringLiteral("COMMENTS: ") + m_input.soapbox << QString();
    lines << QStringLiteral("NAME: ") + m_input.name + QStringLiteral("  CALL: ") + m_own.OwnCall
          << QString();
    lines << QStringLiteral("ADDRESS: ") + m_input.address1;
    lines << QStringLiteral("         ") + m_input.address2 << QString();
    lines << QStringLiteral("E-mail: ") + m_input.email;

    QString text;
    for (const QString& line : lines)
        text += oneLine(line) + kCrLf;
    return text;
}

QString ContestEntry::cabrilloLog() const
{
    QStringList lines;
    lines << QStringLiteral("START-OF-LOG: 2.0");
    lines << QStringLiteral("CREATED-BY: ") + m_programTitle.left(50).trimmed();
    lines << QStringLiteral("ARRL-SECTION: ") + m_own.OwnSpc;
    lines << QStringLiteral("CONTEST: ") + m_title;
    lines << QStringLiteral("CALLSIGN: ") + m_own.OwnCall;
    lines << QStringLiteral("CATEGORY: ") + m_category + QLatin1Char(' ') + m_mode;
    lines << QStringLiteral("CLAIMED-SCORE: ") + numberText(m_claimedScore);
    lines << QStringLiteral("NAME: ") + m_input.name;
    lines << QStringLiteral("ADDRESS: ") + m_input.address1;
    lines << QStringLiteral("ADDRESS: ") + m_input.address2;
    lines << QStringLiteral("ADDRESS: (e-mail) ") + m_input.email;
    lines << QStringLiteral("SOAPBOX: ") + m_input.soapbox;

    QString text;
    for (const QString& line : lines)
        text += oneLine(line) + kCrLf;
    for (int number = 1; number <= m_store.QsoCount(); ++number)
        text += cabrilloQsoLine(m_store.record(number), m_own) + kCrLf;
    text += QStringLiteral("END-OF-LOG:") + kCrLf;
    return text;
}

bool powerIsNumeric(const QString& power)
{
    return parseNumber(QStringView(power)).has_value();
}

WriteOutcome WriteSummaryAndLog(const SummaryInput& input, const EntrySources& sources,
                                const EntryWriteContext& context)
{
    if (!powerIsNumeric(input.power)) {
        context.prompts.message(kPowerMessage, kPowerTitle, MessageIcon::Warning);
        return WriteOutcome::PowerNotNumeric;
    }
    const QString stem = CallFileStem(sources.preferences.OwnCall.trimmed());
    const std::optional<QString> chosen = context.prompts.saveFileName(
        QStringLiteral("Save As"), QDir(context.userDataFolder).filePath(stem + ".log"),
        QStringLiteral("ADIF Files (*.log)"));
    if (!chosen || chosen->isEmpty())
        return WriteOutcome::Cancelled;
    const QString path = *chosen;

    // The derived values are needed by the Cabrillo header even when no summary sheet is written.
    const ContestEntry entry(input, sources);
    if (const std::optional<QString> summaryPath = summaryPathFor(path)) {
        // Each failure names the file and why, as the other write failures do.
        QString failure = entry.error();
        if (failure.isEmpty() &&
            QFileInfo(*summaryPath).absoluteFilePath() == QFileInfo(path).absoluteFilePath())
            failure = QStringLiteral("The summary sheet would replace the log file.");
        if (failure.isEmpty())
            failure = replaceFile(*summaryPath, encodeWindows1252(entry.summarySheet()));
        if (!failure.isEmpty())
            context.prompts.message(writeFailureText(*summaryPath, failure), kWriteFailedTitle,
                                    MessageIcon::Critical);
    }

    const QString failure = replaceFile(path, encodeWindows1252(entry.cabrilloLog()));
    if (!failure.isEmpty()) {
        context.prompts.beep();
        context.prompts.message(writeFailureText(path, failure), kWriteFailedTitle, MessageIcon::Critical);
        return WriteOutcome::Failed;
    }
    context.prompts.beep();

    const QString name = input.name.trimmed(), line1 = input.address1.trimmed(),
                  line2 = input.address2.trimmed(), email = input.email.trimmed();
    context.settings.setValue(QStringLiteral("UserAddressName"), name);
    context.settings.setValue(QStringLiteral("UserAddressLine1"), line1);
    context.settings.setValue(QStringLiteral("UserAddressLine2"), line2);
    context.settings.setValue(QStringLiteral("UserEMail"), email);
    context.shared.SetSharedPreference(QStringLiteral("OWN_ADDRESS_NAME"), name, 0);
    context.shared.SetSharedPreference(QStringLiteral("OWN_ADDRESS_Line1"), line1, 0);
    context.shared.SetSharedPreference(QStringLiteral("OWN_ADDRESS_Line2"), line2, 0);
    const SaveResult saved = context.shared.SetSharedPreference(QStringLiteral("OWN_EMAIL"), email, 1);
    if (!saved.ok)
        context.prompts.message(saved.error, kWriteFailedTitle, MessageIcon::Warning);

    context.prompts.message(
        QStringLiteral("The files ") + stem + QStringLiteral(".log and ") + stem + QStringLiteral(".sum ") +
            QStringLiteral("were successfully written to the directory:") + QStringLiteral("\n\n") + path +
            QStringLiteral(".") + QStringLiteral("\n\n") +
            QStringLiteral(
                "Attach these files to an e-mail addressed for contest submission.  If you wish to print "
                "these files, you can open them with Notepad or Wordpad to print."),
        QStringLiteral("File Written Successfully."), MessageIcon::Information);
    context.prompts.message(
        QStringLiteral(
            "Thanks for using this program.  I hope that you enjoyed it!  If so, please tell a friend!"),
        QStringLiteral("  Thanks!"), MessageIcon::Information);
    return WriteOutcome::Written;
}

} // namespace velm
