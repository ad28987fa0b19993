#pragma once
// Responsibilities: the program's working folder fixed at start-up, and the lookup of a file in a folder by
// a name whose letter case may differ from the spelling on disk (log.txt / Log.txt are one file).

#include <QString>
#include <QStringList>

namespace velm {

// Returns the path of name inside folder, using the spelling of an existing entry that matches it
// ignoring case (the exact spelling wins when several match); the path with name as given when none exists.
QString findFileIgnoringCase(const QString& folder, const QString& name);

// The first of folders (empty ones skipped) that holds a file named name, matched ignoring case; its path, or
// an empty text when none does.
QString findFileInFolders(const QStringList& folders, const QString& name);

class ProgramFolder {
public:
    ProgramFolder() = default;
    explicit ProgramFolder(QString path);

    // The working folder current when the program started; every bare file name is taken relative to it.
    const QString& path() const { return m_path; }
    // A file of the program folder, matched ignoring letter case.
    QString filePath(const QString& name) const { return findFileIgnoringCase(m_path, name); }

private:
    QString m_path;
};

} // namespace velm
