#pragma once
// Responsibilities: the outcome of reading or writing one of the program's files, carried as a value so that
// the window decides how the operator is told.

#include <QString>

namespace velm {

struct FileResult {
    bool ok = true;
    QString error; // when !ok: the file's path and the reason, for the window to show or log
};

} // namespace velm
