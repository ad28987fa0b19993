#include "transmit/CwMacros.h"

namespace velm {

ExpandedMessage expandCwMacros(const QString& message, const MacroValues& values)
{
    QString call = values.call.trimmed();
    call.remove(QLatin1Char('!'));
    QString report = values.reportSent.trimmed();
    if (report.isEmpty() || report == QLatin1String("599"))
        report = QStringLiteral("5NN");

    ExpandedMessage expanded;
    expanded.text.reserve(message.size() + call.size());
    for (QChar c : message) {
        if (c == QLatin1Char('$')) {
            expanded.text += call;
        } else if (c == QLatin1Char('*')) {
            expanded.text += report;
            expanded.reportUsed = true;
        } else if (c != QLatin1Char('#')) {
            expanded.text += c;
        }
    }
    expanded.reportSent = expanded.reportUsed ? report : values.reportSent;
    return expanded;
}

} // namespace velm
