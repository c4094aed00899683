#include "writefailure.h"

#include <QDir>

#include "common/logging.h"
#include "common/textfile.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"

namespace orvex {
QString writeFailureReason(const TextTables* texts, const QString& path,
                           const QString& systemText) {
  if (!systemText.isEmpty())
    qCWarning(lcFiles).noquote() << QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                                        systemText;
  const WriteProblem problem = diagnoseWriteFailure(path);
  const QString where = QDir::toNativeSeparators(problem.where);
  switch (problem.kind) {
    case WriteProblem::FolderMissing: return extraText(texts, extra::FolderMissing).arg(where);
    case WriteProblem::NotAFolder: return extraText(texts, extra::NotAFolder).arg(where);
    case WriteProblem::FolderReadOnly: return extraText(texts, extra::FolderReadOnly).arg(where);
    case WriteProblem::DiskFull: return extraText(texts, extra::DiskFull);
    case WriteProblem::Other: break;
  }
  return extraText(texts, extra::WriteRefused);
}

}  // namespace orvex
