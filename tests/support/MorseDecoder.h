#pragma once
// Responsibilities: turns recorded key-line edges back into text, the way a listener would (a dash is at
// least two units down, a character gap at least two units up, a word gap at least five), with its own code
// table, so keying tests check what went on the air rather than what the program meant to send; also the
// length of every element and gap in units.

#include <QList>
#include <QString>
#include <QtGlobal>

#include <utility>
#include <vector>

namespace velm::test {

using KeyEdges = std::vector<std::pair<bool, qint64>>; // (down, nanoseconds), level changes only

struct DecodedMorse {
    QString text;           // prosigns as the program types them: AR "[", SK "]", KN ";", CL "\", BT "="
    QList<double> marks;    // key-down lengths in units, in order
    QList<double> spaces;   // key-up lengths between marks, in units
    bool wellFormed = true; // edges alternate down/up, starting down and ending up
};

DecodedMorse decodeMorse(const KeyEdges& edges, qint64 unitNs);

} // namespace velm::test
