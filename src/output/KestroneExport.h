#pragma once
// Responsibilities: the general logger's comma-separated import file (LogExp.txt) as text, and the contact
// list's clipboard text.

#include "log/LogStore.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace velm {

inline const QString kKestroneFileName = QStringLiteral("LogExp.txt");

// One line of 16 fields, CR LF ended: call, date, band, mode, power, time, sent, received, (empty), country,
// state, four empty fields, "QRP VELM Contest". Texts are quoted; an empty field is nothing between commas.
QByteArray kestroneLine(const QsoRecord& record, const QString& power);
// Every record in log order; empty for an empty log.
QByteArray kestroneFile(const LogStore& store, const QString& power);

// Tab-separated text: the headings, then the rows from the last to the first; every line ended by CR LF.
QString clipboardText(const QStringList& headings, const QList<QStringList>& rows);

} // namespace velm
