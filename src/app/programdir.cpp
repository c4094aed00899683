#include "programdir.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "common/textfile.h"

namespace orvex {
namespace {

// What the program reads and writes in its directory. Named one by one: on Windows the
// delivered files lie beside the executable and its libraries, which the user does not need.
const char* const kDeliveredEntries[] = {"textos.sys",  "conflang.sys", "confcom.sys",
                                         "Default.fil", "CONFIG",       "Report"};

bool holdsDeliveredFiles(const QString& folder) {
  return QFileInfo::exists(QDir(folder).filePath(QStringLiteral("textos.sys")));
}

QString withSlash(const QString& folder) { return folder.endsWith('/') ? folder : folder + '/'; }

bool failed(QString* problem, const QString& text) {
  if (problem && problem->isEmpty()) *problem = text;
  return false;
}

// Every delivered entry, folders' contents included, as paths relative to `delivered`; a
// folder comes before what it holds.
QStringList deliveredEntries(const QString& delivered) {
  const QDir root(delivered);
  QStringList entries;
  for (const char* name : kDeliveredEntries) {
    const QString path = root.filePath(QLatin1String(name));
    if (!QFileInfo::exists(path)) continue;
    entries << QLatin1String(name);
    QDirIterator it(path, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) entries << root.relativeFilePath(it.next());
  }
  entries.sort();
  return entries;
}

// `relative` inside `target`, each part matched without regard to case where it exists (a
// user's DEFAULT.FIL is the delivered Default.fil).
QString pathInside(const QString& target, const QString& relative) {
  QString path = target;
  for (const QString& part : relative.split('/', Qt::SkipEmptyParts))
    path = findFileNoCase(path, part);
  return path;
}

bool copyFile(const QString& from, const QString& to, QString* problem) {
  QFile source(from);
  if (!source.open(QIODevice::ReadOnly))
    return failed(problem, QStringLiteral("%1: %2").arg(from, source.errorString()));
  QString error;
  return writeBytesAtomic(to, source.readAll(), &error) ||
         failed(problem, QStringLiteral("%1: %2").arg(to, error));
}

bool fillEntry(const QString& delivered, const QString& target, const QString& relative,
               QString* problem) {
  const QFileInfo from(QDir(delivered).filePath(relative));
  const QString to = pathInside(target, relative);
  if (from.isDir())
    return QDir().mkpath(to) || failed(problem, QStringLiteral("%1 cannot be made.").arg(to));
  const QFileInfo existing(to);
  if (existing.exists() || existing.isSymLink()) return true;
  return copyFile(from.filePath(), to, problem);
}

}  // namespace

QString deliveredFolder(const QString& ownFolder) {
  if (holdsDeliveredFiles(ownFolder)) return ownFolder;
  return QDir::cleanPath(QDir(ownFolder).filePath(QStringLiteral(ORVEX_DELIVERED_FROM_BIN)));
}

bool runsInstalled(const ProgramPlace& place) {
  const QString delivered = deliveredFolder(place.ownFolder);
  if (!holdsDeliveredFiles(delivered)) return false;  // nothing to fill from: as always
  return delivered != place.ownFolder || !place.writable(place.ownFolder);
}

bool fillFromDelivered(const QString& delivered, const QString& target, QString* problem) {
  if (!QDir().mkpath(target))
    return failed(problem, QStringLiteral("The folder %1 cannot be made.").arg(target));
  bool whole = true;
  for (const QString& relative : deliveredEntries(delivered))
    whole = fillEntry(delivered, target, relative, problem) && whole;
  return whole;
}

QString chooseProgramDir(const ProgramPlace& place, QString* problem) {
  QString start = withSlash(QDir(place.startFolder).absolutePath());
  if (!runsInstalled(place)) return start;
  if (place.userFolder.isEmpty()) {
    failed(problem, QStringLiteral("There is no data folder for this user; using %1.").arg(start));
    return start;
  }
  fillFromDelivered(deliveredFolder(place.ownFolder), place.userFolder, problem);
  return withSlash(QDir(place.userFolder).absolutePath());
}

ProgramPlace thisProgramPlace(const QString& startFolder) {
  return {QCoreApplication::applicationDirPath(), startFolder,
          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
          [](const QString& folder) { return QFileInfo(folder).isWritable(); }};
}

}  // namespace orvex
