#include "log/DupCheck.h"

namespace velm {

namespace {

// Both scans run over the whole log, up to 11000 records, on every key: compare the stored strings in
// place, never through upper-cased copies. Calls and bands are ASCII in practice, so those characters are
// folded here; from the first other character on, Qt's full case folding decides.
// text holds at least as many characters as prefix.
bool startsEqualIgnoringCase(QStringView text, QStringView prefix)
{
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        const char16_t a = text[i].unicode();
        const char16_t b = prefix[i].unicode();
        if (a == b)
            continue;
        if (a >= 0x80 || b >= 0x80)
            return text.sliced(i, prefix.size() - i).compare(prefix.sliced(i), Qt::CaseInsensitive) == 0;
        if ((a | 0x20) != (b | 0x20) || (a | 0x20) < u'a' || (a | 0x20) > u'z')
            return false;
    }
    return true;
}

bool startsWithIgnoringCase(const QString& text, const QString& prefix)
{
    return text.size() >= prefix.size() && startsEqualIgnoringCase(text, prefix);
}

bool sameText(const QString& a, const QString& b)
{
    return a.size() == b.size() && startsEqualIgnoringCase(a, b);
}

// "." to "Z" in character order: the keys that can begin a call.
bool isCallKey(QChar key)
{
    return key.unicode() >= 46 && key.unicode() <= 90;
}

bool isDigitOrSlash(QChar ch)
{
    return (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || ch == QLatin1Char('/');
}

constexpr qsizetype MaxListLength = 100;

} // namespace

DupCheckResult DupCheck(const LogStore& store, const DupCheckInput& input)
{
    DupCheckResult result;
    result.listCleared = input.listPrevious;
    if (input.call.isEmpty())
        return result;

    for (int number = 1; number <= store.QsoCount(); ++number) {
        const QsoRecord& record = store.record(number);
        if (!sameText(record.Call, input.call))
            continue;
        if (input.listPrevious)
            result.previousRows.append(contactRow(store, number));
        // Filling an empty field with an empty value leaves it empty, so a later contact may still fill it.
        if (input.velmPwr.isEmpty() && !result.fillVelmPwr && !record.VelmPwr.isEmpty())
            result.fillVelmPwr = record.VelmPwr;
        if (input.spc.isEmpty() && !result.fillSpc && !record.Spc.isEmpty())
            result.fillSpc = record.Spc;
        if (sameText(record.Band, input.band)) {
            result.duplicateRecord = number;
            result.message = QStringLiteral("Duplicate ") + record.Call + QLatin1Char(' ') + record.QsoDate +
                             QLatin1Char(' ') + record.QsoTime + QStringLiteral("  Rec# ") +
                             QString::number(number);
            result.fillVelmPwr.reset();
            result.fillSpc.reset();
            break;
        }
    }
    return result;
}

PartialDupeResult PartialDupeCheck(const LogStore& store, const QString& callText, QChar key,
                                   const QString& band, bool partialDupesOn, bool loggedOn)
{
    PartialDupeResult result;
    const bool callKey = isCallKey(key);
    const QString typed = callText + key;

    if (partialDupesOn && callKey) {
        // The scan runs oldest first and each match goes in front, so the newest stands first; it stops
        // once the line holds more than it can show.
        for (int number = 1; number <= store.QsoCount(); ++number) {
            const QsoRecord& record = store.record(number);
            if (!sameText(record.Band, band) || !startsWithIgnoringCase(record.Call, typed))
                continue;
            result.list.prepend(QLatin1Char(' '));
            result.list.prepend(record.Call);
            if (result.list.size() > MaxListLength)
                break;
        }
        result.listOnTeal = !result.list.isEmpty();
    }

    if (callText.size() > 2 && !result.list.isEmpty())
        result.message = QStringLiteral("Possible Duplicate!");
    else if (loggedOn)
        result.message = QStringLiteral(" ");

    if (typed.size() == 3 && callKey) {
        if (isDigitOrSlash(typed[1]) || isDigitOrSlash(typed[2])) {
            result.message = QStringLiteral(" ");
        } else {
            result.message = QStringLiteral("The second or third character is not numeric!");
            result.beep = true;
        }
    }
    return result;
}

void DupeHold::refused(qint64 nowMs)
{
    m_duplicate = true;
    m_refusedAtMs = nowMs;
}

bool DupeHold::holding(qint64 nowMs) const
{
    return m_duplicate && nowMs < releaseAtMs();
}

qint64 DupeHold::releaseAtMs() const
{
    return m_refusedAtMs + HoldMs;
}

void DupeHold::release()
{
    m_duplicate = false;
}

} // namespace velm
