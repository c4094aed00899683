#include "serialsettings.h"

#include <QStringList>

namespace orvex {
namespace {

// The number at the start of `text` (after blanks), reading up to the first character
// that cannot belong to it; 0 when there is none.
int leadingNumber(const QString& text) {
  const QString t = text.trimmed();
  qsizetype end = 0;
  if (end < t.size() && (t[end] == '-' || t[end] == '+')) ++end;
  while (end < t.size() && t[end].isDigit() && t[end].unicode() < 128) ++end;
  return t.left(end).toInt();
}

bool isPlainNumber(const QString& text) {
  if (text.isEmpty()) return false;
  for (QChar c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

bool parseLineSettings(const QString& text, LineSettings* settings, QString* error) {
  const QStringList f = text.split(',');
  auto fail = [&](const QString& why) {
    if (error) *error = QStringLiteral("Invalid serial settings \"%1\": %2.").arg(text, why);
    return false;
  };
  if (f.size() != 4) return fail("expected speed, parity, data bits and stop bits");
  if (!isPlainNumber(f[0]) || f[0].toInt() < 50 || f[0].toInt() > 4'000'000)
    return fail(QStringLiteral("\"%1\" is not a baud rate").arg(f[0]));
  const QString parity = f[1].toUpper();
  if (parity != "N" && parity != "O" && parity != "E")
    return fail(QStringLiteral("parity \"%1\" is not N, O or E").arg(f[1]));
  if (f[2] != "5" && f[2] != "6" && f[2] != "7" && f[2] != "8")
    return fail(QStringLiteral("\"%1\" data bits are not possible").arg(f[2]));
  if (f[3] != "1" && f[3] != "2")
    return fail(QStringLiteral("\"%1\" stop bits are not possible").arg(f[3]));
  *settings = {f[0].toInt(), parity.at(0).toLatin1(), f[2].toInt(), f[3].toInt()};
  return true;
}

SerialSettingsFields splitSerialSettings(const QString& settings) {
  const QString s = settings.left(kSerialSettingsLength);
  auto at = [&](int pos1, int len) { return s.mid(pos1 - 1, len); };  // 1-based positions
  SerialSettingsFields fields;
  const QString port = at(4, 1);
  fields.port = isPlainNumber(port) ? port.toInt() : 0;
  QString baud = at(6, 4);
  if (baud == "1920") baud = "19200";
  fields.lineSettings = QStringList{baud, at(11, 1), at(13, 1), at(15, 1)}.join(',');
  return fields;
}

SerialChoice choiceFromSettings(const QString& settings) {
  SerialChoice choice;
  const qsizetype colon = settings.indexOf(':');
  if (colon > 0) {
    const int port = settings.mid(colon - 1, 1).toInt();
    if (port >= 1 && port <= 4) choice.port = QStringLiteral("COM%1").arg(port);
  }
  const QStringList fields = settings.mid(colon + 1).split(',');
  auto field = [&](int i) { return i < fields.size() ? fields[i] : QString(); };
  const int baud = leadingNumber(field(0));
  if (baud == 1200 || baud == 2400 || baud == 4800 || baud == 9600 || baud == 1920)
    choice.baud = QString::number(baud);
  if (const QString p = field(1).trimmed(); p == "N" || p == "O" || p == "E") choice.parity = p;
  if (const int bits = leadingNumber(field(2)); bits == 7 || bits == 8)
    choice.dataBits = QString::number(bits);
  // The stop bits are the rest of the string read as a number: the "#000#" tail ends it.
  const QString rest = fields.size() > 3 ? QStringList(fields.mid(3)).join(',') : QString();
  if (const int stop = leadingNumber(rest); stop == 1 || stop == 2)
    choice.stopBits = QString::number(stop);
  return choice;
}

QString settingsFromChoice(const SerialChoice& c) {
  return c.port + ':' + c.baud + ',' + c.parity + ',' + c.dataBits + ',' + c.stopBits + "#000#";
}

}  // namespace orvex
