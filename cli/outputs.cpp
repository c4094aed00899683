#include "outputs.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>

#include "lang/extratexts.h"
#include "lang/textlookup.h"
#include "lang/writefailure.h"

namespace orvex::cli {

OutputCheck::~OutputCheck() {
  for (auto folder = made_.crbegin(); folder != made_.crend(); ++folder)
    QDir().rmdir(*folder);  // only an empty one goes
}

bool OutputCheck::folder(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList missing;
  for (QString up = absolute; !QFileInfo::exists(up) && !QDir(up).isRoot();
       up = QFileInfo(up).absolutePath())
    missing.prepend(up);
  for (const QString& folder : std::as_const(missing)) {
    if (!QDir().mkdir(folder)) return fail(QDir(folder).filePath(QStringLiteral(".")), {});
    made_ << folder;
  }
  // Permissions alone do not tell (a read-only mount, an ACL): a file is made and removed.
  QTemporaryFile probe(QDir(absolute).filePath(QStringLiteral(".orvex-cli-XXXXXX")));
  if (!probe.open()) return fail(QDir(absolute).filePath(QStringLiteral(".")), probe.errorString());
  return true;
}

bool OutputCheck::file(const QString& path) {
  if (QFileInfo(path).isDir()) return fail(path, QStringLiteral("is a folder"));
  return folder(QFileInfo(path).absolutePath());
}

bool OutputCheck::fail(const QString& path, const QString& systemText) {
  problem_ =
      extraText(&texts_, extra::WriteFailed)
          .arg(QDir::toNativeSeparators(path), writeFailureReason(&texts_, path, systemText));
  return false;
}

}  // namespace orvex::cli
