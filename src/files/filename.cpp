#include "filename.h"

#include <QRegularExpression>

namespace orvex {

namespace {

bool hasForbiddenCharacter(const QString& name) {
  static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
  for (const QChar c : name)
    if (c.unicode() < 32 || c.unicode() == 127 || forbidden.contains(c)) return true;
  return false;
}

bool isDeviceName(const QString& name) {
  // Windows counts the superscript digits ¹ ² ³ as port numbers, and the console has two
  // more names of its own.
  static const QRegularExpression device(
      QStringLiteral("^(CON|PRN|AUX|NUL|CONIN\\$|CONOUT\\$|(COM|LPT)[1-9\u00B9\u00B2\u00B3])"
                     "\\s*(\\..*)?$"),
      QRegularExpression::CaseInsensitiveOption);
  return device.match(name).hasMatch();
}

}  // namespace

bool isSafeFileName(const QString& name) {
  if (name.trimmed().isEmpty()) return false;
  if (hasForbiddenCharacter(name) || name.contains(QStringLiteral(".."))) return false;
  if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' '))) return false;
  return !isDeviceName(name);
}

QString portFileName(const QString& port) {
  QString name = port.section('/', -1).section('\\', -1);
  name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
  return name.isEmpty() ? QStringLiteral("port") : name;
}

}  // namespace orvex
