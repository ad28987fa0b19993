#pragma once
// Responsibilities: the fixed texts of the spotting window: help per source, the send field's captions, the
// traffic-box lines and message boxes of the three sources, the Telnet error table, the own-call notice.

#include <QString>

namespace velm::spottext {

// The help shown in the traffic box when a source is chosen (every paragraph ended by CR LF CR LF).
QString help(const QString& source);
// Label6's caption for the chosen source (empty for none).
QString sendCaption(const QString& source);
// The message of a Telnet error number: the table's text, else "Error number <n>".
QString telnetError(int errorNumber);

inline const QString kWindowTitle = QStringLiteral(" DX Spotting Setup");
inline const QString kCaption = QStringLiteral("DX Spotting Setup");
inline const QString kConnectedCaption = QStringLiteral("DX Spotting Setup - Connected to ");
inline const QString kListening = QStringLiteral("Listening");

inline const QString kAttempting = QStringLiteral("** Attempting to Open Port **\r\n\r\n");
inline const QString kPortClosed = QStringLiteral("\r\n\r\n** Port Closed **");

inline const QString kTncOpen = QStringLiteral("** TNC Serial Port Open **\r\n\r\n");
inline const QString kTncUnable = QStringLiteral("** Unable to open TNC Serial Port **\r\n\r\n");
inline const QString kInvalidComm = QStringLiteral(
    "The comm port that you selected for DX Spotting is either in use, invalid or the settings that you have "
    "selected are invalid.  Please select another combination or choose None for your DX Spot selection.");
inline const QString kInvalidCommTitle = QStringLiteral("Invalid Comm Settings.");

inline const QString kNotYetConnected =
    QStringLiteral("**  Connection not yet established.  Please wait a moment and try again.\r\n\r\n");

inline const QString kAgwDownloadAddress = QStringLiteral("https://www.sv2agw.com/downloads/");
inline const QString kAgwConnected =
    QStringLiteral("\r\n** Successfully connected to AGW Packet Engine **\r\n\r\n");
inline const QString kAgwUnableTitle = QStringLiteral("Unable to connect to the AGW Packet Engine.");
QString agwUnableMessage();
QString agwUnableTraffic();
inline const QString kAgwLost = QStringLiteral("\r\n** Connection to the AGW Packet Engine lost **\r\n");
inline const QString kCallRequired =
    QStringLiteral("Please enter your call sign on the setup form to transmit!");
inline const QString kCallRequiredTitle = QStringLiteral("Call Sign Required!");
inline const QString kConnectCallRequired =
    QStringLiteral("You must enter a call sign to connect to such as :C Orvane");
inline const QString kConnectCallRequiredTitle = QStringLiteral("Call sign Required");
// A call the engine cannot carry (more than 9 characters, or blanks inside).
QString agwCallRefused(const QString& call);

inline const QString kSpotLastFrequency = QStringLiteral("Frequency in kHz ");

// The own call was spotted: the message line's text and the possible-duplicates line's.
inline const QString kSpottedMessage = QStringLiteral("You've been spotted! ");
inline QString spottedDupesLine(const QString& record)
{
    return QStringLiteral("You've been spotted!  ") + record;
}

} // namespace velm::spottext
