#include "writefailure.h"

#include <QDir>

#include "common/textfile.h"
#include "lang/extratexts.h"
#include "lang/languages.h"
#include "lang/textsfile.h"

namespace orvex {
namespace {

QString itemOrEnglish(const TextTables* texts, int item) {
  QString loaded = texts ? texts->extra.at(static_cast<size_t>(item)) : QString();
  if (!loaded.isEmpty()) return loaded;
  static const QStringList english = builtInTextBlock(kEnglishBase).extra;
  return english.value(item - 1);
}

}  // namespace

QString writeFailureReason(const TextTables* texts, const QString& path,
                           const QString& systemText) {
  if (!systemText.isEmpty())
    qWarning("%s: %s", qUtf8Printable(QDir::toNativeSeparators(path)), qUtf8Printable(systemText));
  const WriteProblem problem = diagnoseWriteFailure(path);
  const QString where = QDir::toNativeSeparators(problem.where);
  switch (problem.kind) {
    case WriteProblem::FolderMissing: return itemOrEnglish(texts, extra::FolderMissing).arg(where);
    case WriteProblem::NotAFolder: return itemOrEnglish(texts, extra::NotAFolder).arg(where);
    case WriteProblem::FolderReadOnly:
      return itemOrEnglish(texts, extra::FolderReadOnly).arg(where);
    case WriteProblem::DiskFull: return itemOrEnglish(texts, extra::DiskFull);
    case WriteProblem::Other: break;
  }
  return itemOrEnglish(texts, extra::WriteRefused);
}

}  // namespace orvex
