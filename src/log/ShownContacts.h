#pragma once
// Responsibilities: the contact list as it is displayed (its headings and its rows, top to bottom), for the
// clipboard copy, which copies what the operator sees. The main window implements it.

#include <QList>
#include <QStringList>

namespace velm {

class ShownContacts {
public:
    virtual ~ShownContacts() = default;
    virtual QStringList contactHeadings() const = 0;
    // The rows shown, top to bottom, each as its columns' texts.
    virtual QList<QStringList> shownContactRows() const = 0;
};

} // namespace velm
