#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <algorithm>

#include "cp1252.h"

namespace orvex {

bool readTextFile(const QString& path, qint64 maxBytes, QString* content, ReadFailure* failure) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (failure) failure->reason = file.errorString();
    return false;
  }
  if (file.size() > maxBytes) {
    if (failure) failure->size = file.size();
    return false;
  }
  // The size a device reports may be 0 (a pipe, /proc): one byte more than the limit tells.
  const QByteArray bytes = file.read(maxBytes + 1);
  if (file.error() != QFileDevice::NoError) {
    if (failure) failure->reason = file.errorString();
    return false;
  }
  if (bytes.size() > maxBytes) {
    if (failure) failure->size = std::max(file.size(), bytes.size());
    return false;
  }
  *content = fromCp1252(bytes);
  return true;
}

bool writeBytesAtomic(const QString& path, const QByteArray& bytes, QString* error) {
  QSaveFile file(path);
  // Unbuffered: a buffered write that the disk cuts short (full disk, size limit) is
  // flushed by commit() without an error, and the truncated file would replace the old one.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    if (error) *error = file.errorString();
    return false;
  }
  const qint64 written = file.write(bytes);
  if (written != bytes.size()) {
    if (error)
      *error = written < 0 ? file.errorString()
                           : QStringLiteral("only %1 of %2 bytes could be written (disk full?)")
                                 .arg(written)
                                 .arg(bytes.size());
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}

bool writeTextFileAtomic(const QString& path, const QString& content, QString* error) {
  return writeBytesAtomic(path, toCp1252(content), error);
}

WriteProblem diagnoseWriteFailure(const QString& path) {
  constexpr qint64 kNearlyFull = 64 * 1024;  // less than a text file of the program takes
  const QString folder = QFileInfo(path).absolutePath();
  // The nearest part of the folder's path that exists: a file there blocks the way.
  QString existing = folder;
  while (!QFileInfo::exists(existing) && QFileInfo(existing).absolutePath() != existing)
    existing = QFileInfo(existing).absolutePath();
  const QFileInfo found(existing);
  if (!found.isDir()) return {WriteProblem::NotAFolder, existing};
  if (!found.isWritable()) return {WriteProblem::FolderReadOnly, existing};  // nor made in it
  if (existing != folder) return {WriteProblem::FolderMissing, folder};
  const QStorageInfo storage(folder);
  if (storage.isValid() && storage.bytesAvailable() < kNearlyFull)
    return {WriteProblem::DiskFull, folder};
  return {WriteProblem::Other, folder};
}

QString findFileNoCase(const QString& dir, const QString& name) {
  QDir folder(dir);
  if (folder.exists(name)) return folder.filePath(name);
  const QStringList entries = folder.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QString& entry : entries)
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return folder.filePath(entry);
  return folder.filePath(name);
}

}  // namespace orvex
