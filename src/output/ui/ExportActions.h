#pragma once
// Responsibilities: the File menu's ADIF export, general-logger export and clipboard copy: prompts, dialogs
// and messages around the text builders of AdifExport and KestroneExport.

namespace velm {

class Form1;
struct Services;

// "Export &ADIF File": power and comment prompts, ADIFCnt.txt, the save dialog, the .adi file, the message.
void ExportAdif(Form1& mainWindow, const Services& services);
// "E&xport for Kestrone Import": LogExp.txt in the program folder, then a beep and the message.
void ExportForKestrone(Form1& mainWindow, const Services& services);
// "&Copy Listed Items to Clipboard": the contact list's headings and rows (last row first), tab-separated.
void CopyListToClipboard(Form1& mainWindow);

} // namespace velm
