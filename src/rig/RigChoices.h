#pragma once
// Responsibilities: what the rig window's option groups and check boxes show (the operator's choices before
// "Test" takes them into the settings): the seven option groups with their values and captions, the design
// defaults, the selection a stored file gives, the preset a rig type applies.

#include "rig/RigSettings.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace velm {

enum class RigOption { Baud, Parity, DataBits, StopBits, Port, Power, PollRate };
inline constexpr int kRigOptionGroups = 7;

struct RigOptionGroup {
    QString title;        // the group's caption, "Baud Rate (k):"
    QStringList values;   // what the settings field holds for each option ("1200", "N", "M", ...)
    QStringList captions; // what the option shows ("1.2", "None", "500 ms", ...)
};
const RigOptionGroup& rigOptionGroup(RigOption group);

// "Mode by:" options.
enum class ModeBy { Nothing = 0, Rig = 1, Frequency = 2, DontUse = 3 };

struct RigChoices {
    // The selected option of each group by index; -1 when none is selected (a stored value the group lacks).
    std::array<int, kRigOptionGroups> selected{};
    bool convertToHex = false;
    bool convertToHexEnabled = false; // only for "Other"
    bool convertFromHex = false;
    bool useFrequency = true;
    ModeBy modeBy = ModeBy::Rig;
    bool icomNote = false;

    int& operator[](RigOption group) { return selected[std::size_t(group)]; }
    int operator[](RigOption group) const { return selected[std::size_t(group)]; }
    friend bool operator==(const RigChoices&, const RigChoices&) = default;
};

// The window as designed: 56000 baud, no parity, 8 data bits, 1 stop bit, port 1, no connection power,
// "500 ms", mode by "Rig", "Use Frequency" checked, both hex boxes unchecked, "Convert to Hex" disabled.
RigChoices designDefaultChoices();

// The selected option's value; nullopt when none is selected.
std::optional<QString> selectedValue(const RigChoices& choices, RigOption group);

// LoadRigSettings: the first fieldsRead fields of settings select their options (the baud compared without
// its trailing blanks, the port as option PortNumber - 1); a value no option has selects nothing. The check
// boxes follow fields 12 and 13 (1 checks), "Mode by:" field 14; "Convert from Hex" follows "Convert to Hex".
// "Convert to Hex" is enabled for "Other", and the Icom note shows for "Icom".
void selectStoredSettings(RigChoices& choices, const RigSettings& settings, int fieldsRead);

// "Test", steps 2-4: each field takes its group's selected option (keeping its value when none is selected)
// and CommSettings is rebuilt.
void takeChoices(RigSettings& settings, const RigChoices& choices);

// ApplyRigPreset, steps 2 and 3: the type, emptied query strings, "Convert to Hex" unchecked and disabled,
// the Icom note hidden, then the type's preset.
void applyRigPreset(RigSettings& settings, RigChoices& choices, const QString& rigType);

// SaveRigSettings: fields 12-14 from the check boxes and "Mode by:" (1 unless "Frequency" or "Don't Use").
void takeCheckBoxes(RigSettings& settings, const RigChoices& choices);

} // namespace velm
