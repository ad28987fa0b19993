#pragma once
// Responsibilities: the contest session the voice tests run on: in a temporary program folder with its
// user-data folder, in phone.

#include "log/ContestSession.h"
#include "support/TestServices.h"

#include <QDir>
#include <memory>

namespace velm::test {

inline std::unique_ptr<ContestSession> voiceSession(const QString& programFolder, TestServices& fakes)
{
    UserFolderPaths folders;
    folders.UserDataFolder = QDir(programFolder).filePath(QStringLiteral("QRP VELM"));
    QDir().mkpath(folders.UserDataFolder);
    auto session = std::make_unique<ContestSession>(fakes.services(), ProgramFolder(programFolder), folders);
    session->selectMode(QStringLiteral("PH"));
    return session;
}

} // namespace velm::test
