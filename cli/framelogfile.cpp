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
  const QByteArray bytes = text.toUtf8();
  if ((file_.write(bytes) != bytes.size() || !file_.flush()) && error_.isEmpty())
    error_ = file_.errorString();
}

bool FrameLogFile::whole(QString* error) {
  const QMutexLocker lock(&mutex_);
  *error = error_;
  return error_.isEmpty();
}

}  // namespace orvex::cli
