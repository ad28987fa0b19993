#pragma once
// Responsibilities: the File menu's ADIF export, general-logger export and clipboard copy: prompts, dialogs
// and messages around the text builders of AdifExport and KestroneExport.

#include <QString>

namespace velm {

class ContestSession;
class ShownContacts;
struct Services;

// "Export &ADIF File": power and comment prompts, ADIFCnt.txt, the save dialog, the .adi file, the message.
// programTitle heads the file ("Orvane's QRP VELM Log 2.4").
void ExportAdif(const ContestSession& session, const QString& programTitle, const Services& services);
// "E&xport for Kestrone Import": LogExp.txt in the program folder, then a beep and the message.
void ExportForKestrone(const ContestSession& session, const Services& services);
// "&Copy Listed Items to Clipboard": the contact list's headings and rows (last row first), tab-separated.
void CopyListToClipboard(const ShownContacts& list);

} // namespace velm
