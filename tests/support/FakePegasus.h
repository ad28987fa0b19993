#pragma once
// Responsibilities: the Ten-Tec Pegasus control program as the rig link meets it: a folder holding the file
// PEGASUS.OUT it writes (whole, through a rename, as the real program is expected to) or leaves cut, and the
// PEGASUS.IN it is sent. For the rig link's Pegasus tests.

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QString>
#include <QTemporaryDir>

namespace velm::test {

struct FakePegasus {
    QTemporaryDir dir;

    QString folder() const { return dir.path(); }
    // The radio's state: "14.025,"CW"" and a line end.
    bool write(double megahertz, const QString& mode) const
    {
        QSaveFile file(dir.filePath(QStringLiteral("PEGASUS.OUT")));
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(QByteArray::number(megahertz, 'f', 5) + ",\"" + mode.toLatin1() + "\"\r\n");
        return file.commit();
    }
    // The file as a reader may find it while the program writes it in place.
    bool writeRaw(const QByteArray& bytes) const
    {
        QFile file(dir.filePath(QStringLiteral("PEGASUS.OUT")));
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    }
    QByteArray sent() const
    {
        QFile file(dir.filePath(QStringLiteral("PEGASUS.IN")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

} // namespace velm::test
