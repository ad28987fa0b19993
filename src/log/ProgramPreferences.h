#pragma once
// Responsibilities: the program's own settings file qrppref.txt in the program folder: the eighteen values,
// read once at start-up and rewritten whole whenever one of them changes.

#include "log/FileResult.h"
#include "log/SettingsFile.h"

#include <QString>
#include <QtGlobal>

namespace velm {

// The eight station values of the preferences: the operator's own station, as the station window edits it.
struct StationProfile {
    QString OwnCall, OwnSpc;
    float UtcOffset = 0;
    QString OwnCountry;
    float OwnLongitude = 0, OwnLatitude = 0;
    QString OwnContinent, OwnVelmPwr;

    friend bool operator==(const StationProfile&, const StationProfile&) = default;
};

// The eighteen values of qrppref.txt: the station's eight, and the program's own. The file's order mixes the
// two (see PreferencesFile).
struct ProgramPreferences : StationProfile {
    QString CurrentMode = QStringLiteral("CW");
    float OperatingSeconds = 0;
    quint8 FormSizePercent = 100;
    qint32 WorkedColour = 0, RemainingColour = 0; // 32-bit colour, red in the low byte
    QString CurrentBand = QStringLiteral("20");
    quint8 VoiceNavLevel = 0;
    QString RigType = QStringLiteral("None");
    quint8 TaskbarMode = 0, ListPrevious = 0;

    friend bool operator==(const ProgramPreferences&, const ProgramPreferences&) = default;
};

// File format: one value per line in the write format, texts quoted, numbers bare, CR LF, in the order of
// ProgramPreferences. Reading is lenient where the meaning is plain and strict where a value could be
// mistaken:
// - a text field takes a bare value as its text; a number field takes a quoted number, and an empty value
//   as 0;
// - byte fields must read as 0..255 and the colours as 32-bit integers after rounding a fraction to the
//   nearest whole number (halves to even); a value out of range is a failure, never wrapped;
// - the floats must lie within the float range;
// - blank lines are skipped; a line holding more than one value is a failure;
// - lines after the eighteenth value are ignored, so that a file written by a later version still reads.
class PreferencesFile {
public:
    static constexpr int ValueCount = 18;

    static const QString FileName; // "QRPpref.txt", the spelling a new file gets

    explicit PreferencesFile(QString programFolder);

    // The file in its existing spelling, found ignoring case (QRPpref.txt wins when it is one of several);
    // QRPpref.txt when none exists.
    QString path() const { return m_file.path(); }

    // Reads the eighteen values in order. On any failure prefs is untouched and the error names the file,
    // the line and the reason.
    FileResult ReadPreferences(ProgramPreferences& prefs);

    // Rewrites the whole file through a temporary file and a rename, in the existing spelling (see
    // SettingsFile::replace). Refused while savesRefused().
    FileResult SavePref(const ProgramPreferences& prefs);

    // True after a read that failed on a file still there: saving would destroy what it holds.
    bool savesRefused() const { return m_file.writesRefused(); }

private:
    SettingsFile m_file;
};

// The whole file content for prefs, as SavePref writes it.
QByteArray preferencesBytes(const ProgramPreferences& prefs);

} // namespace velm
