#pragma once
// Responsibilities: the file-name stem made from the operator's call sign, used in the names of archives
// and exported files.

#include <QString>

namespace velm {

// The leading run of digits and capital letters A-Z of call ("K1ABC/P" -> "K1ABC"); the first other character
// (lower-case letter, "/", blank) ends it. "YourCall" when that run is empty.
QString CallFileStem(const QString& call);

} // namespace velm
