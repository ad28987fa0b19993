#pragma once
// Responsibilities: the one home of whole-file I/O: reading a whole file, replacing a file through the safe
// path (a temporary and a rename), copying a file that way, and the texts that say why a write failed.

#include "log/FileResult.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class QFileDevice;

namespace velm {

// Writes all of bytes to an unbuffered device. A device that takes only part of the data (a disk filling
// up) reports no error for that call; asking again for the rest yields the system's reason in errorString().
bool writeAll(QFileDevice& file, const QByteArray& bytes);

// Why a write to file failed: the system's reason, or a general text when the device recorded none.
QString writeFailureReason(const QFileDevice& file);

// How a failed write is shown to the operator: the file, then the system's reason.
QString writeFailureText(const QString& path, const QString& reason);

// Replaces the file at path by bytes through a temporary file and a rename (QSaveFile, unbuffered), so that
// afterwards the file is the old one or the new one, never part of either. Returns the reason it failed, or
// an empty text when the file now holds bytes.
QString replaceFile(const QString& path, const QByteArray& bytes);

// Reads the whole file at path into bytes. Returns the system's reason it could not, empty on success.
QString readWholeFile(const QString& path, QByteArray& bytes);

// Copies the file at from over the file at to (created when absent) through a temporary file and a rename:
// afterwards `to` holds the old bytes or all of the new ones. Returns the reason it failed, empty on success.
QString copyFileSafely(const QString& from, const QString& to);

// A data file supplied with the program that may live in several folders (the prefix table, the DXCC table):
// the first of folders (empty ones skipped) holding name, matched ignoring case, is read whole and its bytes
// handed to parse, which returns false and the reason when they do not read. A failure names the file. A
// file found nowhere is an empty success unless missingIsFailure, when the failure names the place it
// belongs (the last folder).
FileResult loadTableFromFolders(const QStringList& folders, const QString& name, bool missingIsFailure,
                                const std::function<bool(const QByteArray& bytes, QString* error)>& parse);

} // namespace velm
