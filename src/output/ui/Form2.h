#pragma once
// Responsibilities: the summary sheet window: the entry facts the log does not hold (contest, category, mode,
// power, bonus, station, name and address) and the button that writes the summary sheet and Cabrillo log.

#include "log/UserFolderSetup.h"
#include "output/ContestEntry.h"
#include "platform/Services.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velm {

class ContestSession;
class SharedPreferences;

class Form2 : public QDialog {
    Q_OBJECT
public:
    static const QString Title;

    // sources: the log, multipliers, station values and the main window's texts, read when writing.
    Form2(const Services& services, const EntrySources& sources, SharedPreferences& shared,
          const UserFolderPaths& folders, QWidget* parent = nullptr);

    // The main window's "&Write Summary and Log Files": a fresh window, shown modally, gone once hidden.
    static void open(const ContestSession& session, const QString& programTitle, const Services& services,
                     SharedPreferences& shared, QWidget* parent);

    // The answers as they stand on the window.
    SummaryInput input() const;

    void Command4_Click(); // "Write Summary and Log Files"
    void Command3_Click(); // "Done"

    // Contest, category, mode, bonus.
    QRadioButton *Option16 = nullptr, *Option15 = nullptr, *Option14 = nullptr, *Option13 = nullptr,
                 *Option12 = nullptr, *Option11 = nullptr, *Option10 = nullptr;
    QRadioButton *Option6 = nullptr, *Option7 = nullptr, *Option1 = nullptr, *Option2 = nullptr,
                 *Option3 = nullptr, *Option9 = nullptr;
    QRadioButton *Option5 = nullptr, *Option4 = nullptr, *Option8 = nullptr;
    QRadioButton *Option17 = nullptr, *Option20 = nullptr, *Option18 = nullptr, *Option19 = nullptr;
    QLineEdit* Text4 = nullptr; // bands
    QLineEdit* Text1 = nullptr; // power
    QLineEdit *Text2 = nullptr, *Text10 = nullptr, *Text3 = nullptr, *Text11 = nullptr;
    QLineEdit *Text5 = nullptr, *Text6 = nullptr, *Text7 = nullptr, *Text8 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command3 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildOptions();
    QWidget* buildFields();
    bool Text1_LostFocus();
    void Text4_LostFocus();

    Services m_services;
    EntrySources m_sources;
    SharedPreferences& m_shared;
    QString m_userDataFolder;
};

} // namespace velm
