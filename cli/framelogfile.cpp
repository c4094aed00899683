#include "framelogfile.h"

#include <QStringList>

namespace orvex::cli {

bool FrameLogFile::open(const QString& path, QString* error) {
  file_.setFileName(path);
  if (file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) return true;
  *error = file_.errorString();
  return false;
}

void FrameLogFile::append(const QString& port, const QString& lines) {
  QString text = lines;
  if (tagged_) {
    QStringList split = lines.split(QLatin1Char('\n'));
    for (QString& line : split)
      if (!line.isEmpty()) line.prepend(port + QStringLiteral("  "));
    text = split.join(QLatin1Char('\n'));
  }
  const QMutexLocker lock(&mutex_);
  file_.write(text.toUtf8());
  file_.flush();
}

}  // namespace orvex::cli
