#pragma once
// Responsibilities: the station window: the eight own-station fields with their key rules and the country
// completion; "Done" normalises the numbers and stores the values in the shared preferences.

#include "log/StationProfile.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velm {

class Prompts;
class SharedPreferences;

class frmStationID : public QDialog {
    Q_OBJECT
public:
    static const QString Title;

    // countries may be null (no prefix table yet): the country field then completes nothing.
    frmStationID(Prompts& prompts, SharedPreferences& shared, const CountrySource* countries,
                 QWidget* parent = nullptr);

    void setFields(const StationFields& fields);
    StationFields fields() const;
    // Why the shared preferences file could not be written at Done; empty when it was.
    const QString& sharedSaveError() const { return m_sharedSaveError; }

    QLineEdit* Text1 = nullptr; // call
    QLineEdit* Text5 = nullptr; // state / province / country
    QLineEdit* Text8 = nullptr; // VELM number or power
    QLineEdit* Text6 = nullptr; // hours added for UTC
    QLineEdit* Text2 = nullptr; // country, with completion
    QLineEdit* Text3 = nullptr; // longitude
    QLineEdit* Text4 = nullptr; // latitude
    QLineEdit* Text7 = nullptr; // continent
    QPushButton* Command1 = nullptr; // "Done"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Command1_Click();
    bool Text2_KeyPress(const QString& typedCharacter);
    void Text6_LostFocus();

    Prompts& m_prompts;
    SharedPreferences& m_shared;
    const CountrySource* m_countries;
    QString m_sharedSaveError;
};

} // namespace velm
