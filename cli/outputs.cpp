#include "outputs.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <utility>

#include "lang/extratexts.h"
#include "lang/textlookup.h"
#include "lang/writefailure.h"

namespace orvex::cli {

OutputCheck::~OutputCheck() {
  while (!made_.isEmpty()) QDir().rmdir(made_.takeLast());  // the deepest first; only if empty
}

bool OutputCheck::file(const QString& path) {
  if (QFileInfo(path).isDir()) return fail(path, QStringLiteral("is a folder"));
  const QString folder = QFileInfo(path).absolutePath();
  QStringList missing;
  for (QString up = folder; !QFileInfo::exists(up) && !QDir(up).isRoot();
       up = QFileInfo(up).absolutePath())
    missing.prepend(up);
  for (const QString& made : std::as_const(missing)) {
    if (!QDir().mkdir(made)) return fail(path, {});
    made_ << made;
  }
  // Permissions alone do not tell (a read-only mount, an immutable folder, an ACL): a file is
  // made there and removed.
  QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".orvex-cli-XXXXXX")));
  return probe.open() || fail(path, probe.errorString());
}

bool OutputCheck::fail(const QString& path, const QString& systemText) {
  problem_ =
      extraText(&texts_, extra::WriteFailed)
          .arg(QDir::toNativeSeparators(path), writeFailureReason(&texts_, path, systemText));
  return false;
}

}  // namespace orvex::cli
