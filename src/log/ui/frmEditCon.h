#pragma once
// Responsibilities: the edit window for one logged contact: ten fields with their key rules, checks on
// leaving and country completion; Done checks duplicates and the S/P/C and hands back the corrected record.

#include "log/ContactEdit.h"

#include <QDialog>

#include <optional>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velm {

class CountrySource;
class Prompts;

class frmEditCon : public QDialog {
    Q_OBJECT
public:
    static const QString Title;

    // Edits record number (1..QsoCount) of the store, which the window only reads. countries may be null
    // (no prefix table): the S/P/C field then completes nothing.
    frmEditCon(Prompts& prompts, const LogStore& store, int number, const CountrySource* countries,
               QWidget* parent = nullptr);

    void setFields(const ContactEditFields& fields);
    ContactEditFields fields() const;
    // The corrected record once Done has accepted it; the caller stores it.
    const std::optional<QsoRecord>& editedRecord() const { return m_edited; }
    // "Delete Dupe" closed the window: the caller deletes the record being edited.
    bool deleteDupeChosen() const { return m_deleteDupe; }

    void cmdDone_Click();
    void cmdDeleteDupe_Click();

    QLabel* lblHeading = nullptr; // "Edit Contact:"
    QLineEdit* txtEditCall = nullptr;
    QLineEdit* txtEditCk = nullptr;  // report received
    QLineEdit* txtEditPre = nullptr; // S/P/C, with country completion
    QLineEdit* txtEditSec = nullptr; // VELM number or power
    QLineEdit* txtEditNum = nullptr; // report sent
    QLineEdit* txtEditDate = nullptr;
    QLineEdit* txtEditTime = nullptr;
    QLineEdit* txtEditBnd = nullptr; // mode
    QLineEdit* Text1 = nullptr;      // band
    QLineEdit* Text2 = nullptr;      // points
    QLabel* Label1 = nullptr;        // "  Dupe!"
    QLabel* Label2 = nullptr;        // S/P/C "   Invalid!"
    QLabel* Label3 = nullptr;        // mode "   Invalid!"
    QLabel* Label6 = nullptr;        // band "   Invalid!"
    QPushButton* cmdDone = nullptr;
    QPushButton* cmdDeleteDupe = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool field_KeyPress(QLineEdit* field, QKeyEvent* key);
    void field_LostFocus(QLineEdit* field);
    // Beep, the date or time message box, and the focus back to the field.
    void refuseDateOrTime(QLineEdit* field);
    // Shows or hides a warning and ties it to its field; returns what a screen reader is told when shown.
    QString setWarning(QLabel* warning, QLineEdit* field, bool shown);
    // A refusal's warnings, told to a screen reader together, without moving the focus.
    void announceWarnings(const QStringList& warnings);
    void focusLater(QLineEdit* field);

    Prompts& m_prompts;
    const LogStore& m_store;
    int m_number;
    const CountrySource* m_countries;
    std::optional<QsoRecord> m_edited;
    bool m_deleteDupe = false;
};

} // namespace velm
