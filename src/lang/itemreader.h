#pragma once
#include <QString>
#include <QStringView>

namespace orvex {

// Reads textos.sys-style sequential items: items are separated by commas or line ends
// (CR LF, LF or CR); blanks and line ends before an item are skipped; an item that starts
// with a double quote runs to the closing quote (commas and line ends inside are kept) and
// anything after the closing quote up to the next separator is ignored; an unquoted item
// loses its trailing blanks.
class ItemReader {
 public:
  explicit ItemReader(QStringView text) : text_(text) {}
  // The next item; false once the text holds no further item.
  bool next(QString* item);
  // Skips up to `count` items; returns how many were skipped.
  int skip(int count);

 private:
  bool isLineEnd(qsizetype at) const;
  void skipLeadingBlanks();
  void consumeSeparator();
  QString readQuoted();
  QString readUnquoted();

  QStringView text_;
  qsizetype pos_ = 0;
};

}  // namespace orvex
