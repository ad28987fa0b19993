#pragma once
// Responsibilities: SharedUserPreferences.xml, the file of operator details (name, address, e-mail, station)
// shared with the other Orvane programs: load it, set one tag line, write it back byte-for-byte otherwise.

#include <QByteArray>
#include <QString>

namespace velm {

// The outcome of writing the preferences file; error names the file and the system's reason.
struct SaveResult {
    bool ok = true;
    QString error;
};

// The file is one line per preference, "<KEY>value</KEY>", CR LF separated, after an XML header line. It is
// not real XML (no root element, no escaping), and other programs add their own lines, so the text is kept
// as raw bytes and only the line being set is ever changed.
class SharedPreferences {
public:
    static const QByteArray Header; // <?xml version="1.0" encoding="UTF-8" ?>

    SharedPreferences(); // holds the header line alone until a file is opened

    // Loads the file; a missing or empty file gives the header line alone. Nothing is written here.
    // A file that exists but cannot be read is remembered, and later saves to it are refused so that the
    // other programs' preferences in it are not replaced by ours alone.
    void OpenSharedPreferences(const QString& path);
    // Sets the line of key (upper-cased) to value, appending a line when the key is not there yet.
    // CR and LF in value become blanks. saveFlag 1 writes the file afterwards and returns that result;
    // otherwise the result is ok.
    SaveResult SetSharedPreference(const QString& key, const QString& value, int saveFlag);
    // Writes the text plus a final CR LF to path (which becomes SharedPrefsPath), all or nothing.
    SaveResult SaveSharedPreferences(const QString& path);

    QString SharedPrefsPath() const { return m_sharedPrefsPath; }
    // The whole file content without its final line break.
    QByteArray SharedPrefsText() const { return m_sharedPrefsText; }
    // The current value of key (upper-cased as when setting); empty when absent.
    QString value(const QString& key) const;
    // Why the last OpenSharedPreferences could not read an existing file; empty when it could.
    QString openError() const { return m_openError; }

private:
    QString m_sharedPrefsPath;
    QByteArray m_sharedPrefsText;
    QString m_openError;
    QString m_unreadablePath; // an existing file we failed to read: never overwrite it
};

} // namespace velm
