#include "programdir.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/textfile.h"
#include "files/filetexts.h"
#include "lang/extratexts.h"

namespace orvex {
namespace {

// What the program reads and writes in its directory. Named one by one: on Windows the
// delivered files lie beside the executable and its libraries, which the user does not need.
const char* const kDeliveredEntries[] = {"textos.sys",  "conflang.sys", "confcom.sys",
                                         "Default.fil", "CONFIG",       "Report"};
// Delivered files that the program only reads and the user never changes. Everything else
// delivered becomes the user's once copied: the settings, Default.fil, and the example
// configurations, which the save window may overwrite and Default.fil may name.
const char* const kReadOnlyEntries[] = {"textos.sys"};

bool holdsDeliveredFiles(const QString& folder) {
  return QFileInfo::exists(QDir(folder).filePath(QStringLiteral("textos.sys")));
}

bool isReadOnlyEntry(const QString& relative) {
  return std::any_of(std::begin(kReadOnlyEntries), std::end(kReadOnlyEntries),
                     [&relative](const char* name) {
                       return relative.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
                     });
}

QString withSlash(const QString& folder) { return folder.endsWith('/') ? folder : folder + '/'; }

// Whether this user can make files in `folder`: tried, since permission bits tell neither of
// access lists (Windows) nor of a file system mounted read-only.
bool canCreateFilesIn(const QString& folder) {
  QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".orvex-XXXXXX")));
  return probe.open();
}

QString nearestExisting(const QString& path) {
  QFileInfo info(QDir::cleanPath(QDir().absoluteFilePath(path)));
  while (!info.exists() && !info.isRoot()) info = QFileInfo(info.absolutePath());
  return info.absoluteFilePath();
}

// Keeps the first problem, with why: a file standing where `folder` (or a folder above it)
// has to be, a folder this user may not write in, or else what the system said.
bool failed(FolderProblem* problem, FolderProblem::Kind kind, const QString& path,
            const QString& systemText, const QString& folder = {}) {
  if (!problem || *problem) return false;
  problem->kind = kind;
  problem->path = path;
  problem->systemText = systemText;
  if (folder.isEmpty()) return false;
  const QString existing = nearestExisting(folder);
  if (!QFileInfo(existing).isDir()) problem->reason = FolderProblem::Reason::NotAFolder;
  else if (!canCreateFilesIn(existing)) problem->reason = FolderProblem::Reason::NotWritable;
  if (problem->reason != FolderProblem::Reason::System) problem->blocking = existing;
  return false;
}

bool makeFolder(const QString& folder, FolderProblem::Kind kind, FolderProblem* problem) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(folder.toStdU16String()), error);
  if (QFileInfo(folder).isDir()) return true;
  return failed(problem, kind, folder, QString::fromLocal8Bit(error.message()), folder);
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

QByteArray contentOf(const QString& path, QString* error) {
  QFile file(path);
  if (file.open(QIODevice::ReadOnly)) return file.readAll();
  *error = file.errorString();
  return {};
}

bool copyFile(const QString& from, const QString& to, FolderProblem* problem) {
  QString error;
  const QByteArray bytes = contentOf(from, &error);
  if (!error.isEmpty())
    return failed(problem, FolderProblem::Kind::EntryNotMade, to, from + ": " + error);
  return writeBytesAtomic(to, bytes, &error) || failed(problem, FolderProblem::Kind::EntryNotMade,
                                                       to, error, QFileInfo(to).absolutePath());
}

// The user's copy of a file the program only reads is stale when the delivered one differs
// from it: an installed upgrade (or a return to an older version) brings its own texts.
bool isStale(const QFileInfo& copy, const QString& delivered) {
  if (copy.size() != QFileInfo(delivered).size()) return true;
  QString error;
  return contentOf(copy.filePath(), &error) != contentOf(delivered, &error);
}

bool fillEntry(const QString& delivered, const QString& target, const QString& relative,
               FolderProblem* problem) {
  const QFileInfo from(QDir(delivered).filePath(relative));
  const QString to = pathInside(target, relative);
  if (from.isDir()) return makeFolder(to, FolderProblem::Kind::EntryNotMade, problem);
  const QFileInfo existing(to);
  // A link the user made is theirs, whatever it stands for.
  if (existing.isSymLink()) return true;
  if (existing.exists() && !(isReadOnlyEntry(relative) && isStale(existing, from.filePath())))
    return true;
  return copyFile(from.filePath(), to, problem);
}

}  // namespace

QString folderProblemText(const FolderProblem& problem, const TextTables* texts) {
  const auto native = [](const QString& path) { return QDir::toNativeSeparators(path); };
  QString why = problem.systemText;
  if (problem.reason == FolderProblem::Reason::NotAFolder)
    why = extraText(texts, extra::NotAFolder).arg(native(problem.blocking));
  if (problem.reason == FolderProblem::Reason::NotWritable)
    why = extraText(texts, extra::FolderReadOnly).arg(native(problem.blocking));
  if (problem.kind == FolderProblem::Kind::FolderNotMade)
    return extraText(texts, extra::FolderNotMade)
        .arg(native(problem.path), why, native(problem.delivered));
  return extraText(texts, extra::EntryNotMade).arg(native(problem.path), why);
}

QString folderProblemTitle(const TextTables* texts) { return extraText(texts, extra::FolderTitle); }

QString deliveredFolder(const QString& ownFolder) {
  if (holdsDeliveredFiles(ownFolder)) return ownFolder;
  return QDir::cleanPath(QDir(ownFolder).filePath(QStringLiteral(ORVEX_DELIVERED_FROM_BIN)));
}

bool runsInstalled(const ProgramPlace& place) {
  const QString delivered = deliveredFolder(place.ownFolder);
  if (!holdsDeliveredFiles(delivered)) return false;  // nothing to fill from: as always
  return delivered != place.ownFolder || !place.writable(place.ownFolder);
}

bool fillFromDelivered(const QString& delivered, const QString& target, FolderProblem* problem) {
  if (!makeFolder(target, FolderProblem::Kind::FolderNotMade, problem)) return false;
  bool whole = true;
  for (const QString& relative : deliveredEntries(delivered))
    whole = fillEntry(delivered, target, relative, problem) && whole;
  return whole;
}

QString chooseProgramDir(const ProgramPlace& place, FolderProblem* problem) {
  if (!runsInstalled(place)) return withSlash(QDir(place.startFolder).absolutePath());
  const QString delivered = deliveredFolder(place.ownFolder);
  if (problem) problem->delivered = delivered;
  fillFromDelivered(delivered, place.userFolder, problem);
  // Without a folder of its own the program still starts, in the delivered settings and texts.
  if (!QFileInfo(place.userFolder).isDir()) return withSlash(delivered);
  return withSlash(QDir(place.userFolder).absolutePath());
}

ProgramPlace thisProgramPlace(const QString& startFolder) {
  return {QCoreApplication::applicationDirPath(), startFolder,
          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), canCreateFilesIn};
}

}  // namespace orvex
