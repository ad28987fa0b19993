#pragma once
// Responsibilities: the macro characters of a CW message: "$" the call being entered, "*" the report sent
// (599 or nothing sends "5NN"), "#" the number (nothing sets one), "!" kept to log the contact.

#include <QString>

namespace velm {

struct MacroValues {
    QString call;       // the call field as it is now
    QString reportSent; // the report-sent field as it is now
};

struct ExpandedMessage {
    QString text;
    // The report as "*" sent it ("5NN" for 599 or an empty field); what the kept copy becomes.
    QString reportSent;
    bool reportUsed = false;
};

// Replaces each macro character of message once. What a replacement brings in is inserted as it is and never
// scanned again, so a call holding "$" or "*" cannot expand further; a "!" in the call is left out, since it
// has no Morse of its own and would log the contact in the middle of the message.
ExpandedMessage expandCwMacros(const QString& message, const MacroValues& values);

} // namespace velm
