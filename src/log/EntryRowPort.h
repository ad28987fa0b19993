#pragma once
// Responsibilities: what other subsystems may do to the main window's entry row: put a call into the call
// field (a spot clicked), and commit the row (the "!" of a CW message). The main window implements it.

#include <QString>

namespace velm {

class EntryRowPort {
public:
    virtual ~EntryRowPort() = default;

    // Puts the call into the call field as if typed there; with tab, the focus then moves on as a Tab would,
    // so the field's leaving rules (duplicate check, default reports, province) run.
    virtual void enterCall(const QString& call, bool tab) = 0;
    // Commits the entry row as Enter does.
    virtual void commitEntryRow() = 0;
};

} // namespace velm
