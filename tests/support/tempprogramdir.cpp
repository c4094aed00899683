#include "tempprogramdir.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace orvex::test {

QString deliveredDataDir() { return qEnvironmentVariable("ORVEX_DATA_DIR", ORVEX_SOURCE_DATA); }

TempProgramDir::TempProgramDir(bool withDeliveredData) {
  if (!withDeliveredData) return;
  const QString src = deliveredDataDir();
  QDirIterator it(src, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString from = it.next();
    const QString rel = QDir(src).relativeFilePath(from);
    QDir().mkpath(QFileInfo(file(rel)).path());
    QFile::copy(from, file(rel));
    QFile::setPermissions(file(rel), QFile::ReadOwner | QFile::WriteOwner);
  }
  for (const char* folder : {"CONFIG", "Report/Txt", "Report/Doc"}) QDir().mkpath(file(folder));
}

QString TempProgramDir::path() const { return dir_.path() + '/'; }

void TempProgramDir::write(const QString& relative, const QByteArray& bytes) const {
  QDir().mkpath(QFileInfo(file(relative)).path());
  QFile f(file(relative));
  if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

QByteArray TempProgramDir::read(const QString& relative) const {
  QFile f(file(relative));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace orvex::test
