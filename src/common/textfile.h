#pragma once
#include <QString>
#include <QtGlobal>

// Whole-file text I/O in the program's encoding (Windows-1252). Every write goes to a
// temporary file that replaces the target only when complete, so a failed or interrupted
// save leaves the previous file whole.
namespace orvex {

// What each file's format can hold at the most, with room to spare: a larger file is not a
// file of that kind, and is refused unread instead of being held and split whole.
inline constexpr qint64 kSettingsFileLimit = 4 * 1024;  // conflang.sys, confcom.sys, Default.fil
inline constexpr qint64 kConfigFileLimit = 16 * 1024;   // a .QVT: 63 short lines
inline constexpr qint64 kTextTableLimit = 1024 * 1024;  // textos.sys

// Why a read failed: the system's reason, or a file larger than its limit (then `size`).
struct ReadFailure {
  QString reason;
  qint64 size = -1;
  bool tooLarge() const { return size >= 0; }
};

// Reads the whole file, never holding more than `maxBytes` of it.
bool readTextFile(const QString& path, qint64 maxBytes, QString* content,
                  ReadFailure* failure = nullptr);
bool writeTextFileAtomic(const QString& path, const QString& content, QString* error);
// Any file, made whole in memory first: a writer that streams into the file unchecked (a PDF
// writer, a buffered stream) could leave a cut one behind a successful save.
bool writeBytesAtomic(const QString& path, const QByteArray& bytes, QString* error);

// Why a file could not be written, found out afterwards on the file system, so the user can
// be told in the program's words; the system's own text says little to an installer.
struct WriteProblem {
  enum Kind { FolderMissing, NotAFolder, FolderReadOnly, DiskFull, Other } kind = Other;
  QString where;  // the folder missing or read-only, or the file standing in a folder's place
};
WriteProblem diagnoseWriteFailure(const QString& path);

// The path of `name` inside `dir`, matched without regard to case (the program writes
// DEFAULT.FIL and reads Default.fil). If nothing matches, dir + name as given.
QString findFileNoCase(const QString& dir, const QString& name);

}  // namespace orvex
