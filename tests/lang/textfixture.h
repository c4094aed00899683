#pragma once
#include <QByteArray>
#include <QString>

#include "common/cp1252.h"

namespace orvex::test {

// The text of item `item` (1..300) of the block at `base`: it names both, holds a comma
// (so only a quoted reader keeps it whole) and an accent (so the encoding matters).
inline QString fixtureItem(int base, int item) {
  return QStringLiteral("T%1-%2, é").arg(base).arg(item);
}

// A textos.sys of `totalItems` items, five blocks of 300 at most, CR LF, Windows-1252.
inline QByteArray fixtureTextFile(int totalItems = 1500) {
  QString text;
  for (int i = 0; i < totalItems; ++i)
    text += '"' + fixtureItem(i / 300 * 300, i % 300 + 1) + QStringLiteral("\"\r\n");
  return toCp1252(text);
}

}  // namespace orvex::test
