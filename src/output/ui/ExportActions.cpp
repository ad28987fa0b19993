#include "output/ui/ExportActions.h"

#include "log/ContestSession.h"
#include "log/FileIo.h"
#include "log/ShownContacts.h"
#include "log/WriteFormat.h"
#include "output/AdifExport.h"
#include "output/KestroneExport.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>

namespace velm {

namespace {

const QString kWriteFailureTitle = QStringLiteral("Unable to write file.");

void reportFailure(const Services& services, const QString& text)
{
    services.prompts.beep();
    services.prompts.message(text, kWriteFailureTitle, MessageIcon::Critical);
}

} // namespace

void ExportAdif(const ContestSession& session, const QString& programTitle, const Services& services)
{
    AdifOptions options;
    options.power =
        services.prompts
            .input(QStringLiteral("Please enter the power value that you would like to record.  This "
                                  "is an optional value that will be included in each QSO record and "
                                  "displayed in Kestrone's power output column."),
                   QStringLiteral("Please enter the power value."), QString())
            .value_or(QString());
    options.comment =
        services.prompts
            .input(QStringLiteral("Please enter a comment that you would like to appear on each QSO "
                                  "record.  This is an optional description that will be displayed "
                                  "in Kestrone's Comments column."),
                   QStringLiteral("Please enter a comment."), QStringLiteral("Qrp VELM Contest"))
            .value_or(QString());

    const UserFolderPaths& folders = session.userFolders();
    DxccTable dxcc;
    const FileResult loaded =
        dxcc.LoadDxccTable({folders.SharedFolder, folders.UserDataFolder, session.programFolder().path()});
    if (!loaded.ok) {
        reportFailure(services, loaded.error);
        return;
    }

    const QString folder =
        folders.UserDataFolder.isEmpty() ? session.programFolder().path() : folders.UserDataFolder;
    const std::optional<QString> chosen = services.prompts.saveFileName(
        QStringLiteral("Export ADIF File"), QDir(folder).filePath(QStringLiteral("QrpVELM.adi")),
        QStringLiteral("ADIF Files (*.adi)"));
    if (!chosen || chosen->isEmpty())
        return;

    const QByteArray bytes =
        adifFile(session.store(), dxcc, options, programTitle, services.clock.localNow());
    if (const QString reason = replaceFile(*chosen, bytes); !reason.isEmpty()) {
        reportFailure(services, writeFailureText(*chosen, reason));
        return;
    }
    // The message names QrpVELM.adi whatever name was chosen; the path shows the real one.
    services.prompts.message(
        QStringLiteral("The file QrpVELM.adi was successfully written to the directory:\n\n") +
            QDir::toNativeSeparators(*chosen) + QLatin1Char('.'),
        QStringLiteral("File Written Successfully."), MessageIcon::Information);
}

void ExportForKestrone(const ContestSession& session, const Services& services)
{
    const QString power = services.prompts
                              .input(QStringLiteral("Please enter the power value you would like to record."),
                                     QStringLiteral("Please enter the power value"), QString())
                              .value_or(QString());
    const QString path = session.programFolder().filePath(kKestroneFileName);
    if (const QString reason = replaceFile(path, kestroneFile(session.store(), power)); !reason.isEmpty()) {
        reportFailure(services, writeFailureText(path, reason));
        return;
    }
    services.prompts.beep();
    services.prompts.message(
        QStringLiteral("LogExp.txt has been written to this program's working directory ") +
            QDir::toNativeSeparators(session.programFolder().path()) +
            QStringLiteral(
                ".  Import these contacts into the Kestrone program by clicking File, Import, and "
                "navigating to this directory from the Kestrone program.  Transferring your files by "
                "ADIF format is now the preferred method for file transfer."),
        QStringLiteral("Export Successful!"), MessageIcon::Information);
}

void CopyListToClipboard(const ShownContacts& list)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    clipboard->clear();
    clipboard->setText(clipboardText(list.contactHeadings(), list.shownContactRows()));
}

} // namespace velm
