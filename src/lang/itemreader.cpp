#include "itemreader.h"

namespace orvex {
namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

}  // namespace

bool ItemReader::isLineEnd(qsizetype at) const {
  return at < text_.size() && (text_[at] == u'\r' || text_[at] == u'\n');
}

void ItemReader::skipLeadingBlanks() {
  while (pos_ < text_.size() && (isBlank(text_[pos_]) || isLineEnd(pos_))) ++pos_;
}

// Consumes one separator: a comma, or a line end with CR LF counted as one.
void ItemReader::consumeSeparator() {
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == u',') {
    ++pos_;
  } else if (text_[pos_] == u'\r') {
    ++pos_;
    if (pos_ < text_.size() && text_[pos_] == u'\n') ++pos_;
  } else if (text_[pos_] == u'\n') {
    ++pos_;
  }
}

QString ItemReader::readQuoted() {
  ++pos_;  // opening quote
  const qsizetype close = text_.indexOf(u'"', pos_);
  const qsizetype end = close < 0 ? text_.size() : close;
  QString item = text_.mid(pos_, end - pos_).toString();
  pos_ = close < 0 ? text_.size() : close + 1;
  // Whatever follows the closing quote up to the separator belongs to no item.
  while (pos_ < text_.size() && text_[pos_] != u',' && !isLineEnd(pos_)) ++pos_;
  consumeSeparator();
  return item;
}

QString ItemReader::readUnquoted() {
  const qsizetype start = pos_;
  while (pos_ < text_.size() && text_[pos_] != u',' && !isLineEnd(pos_)) ++pos_;
  qsizetype end = pos_;
  while (end > start && isBlank(text_[end - 1])) --end;
  consumeSeparator();
  return text_.mid(start, end - start).toString();
}

bool ItemReader::next(QString* item) {
  skipLeadingBlanks();
  if (pos_ >= text_.size()) return false;
  *item = text_[pos_] == u'"' ? readQuoted() : readUnquoted();
  return true;
}

int ItemReader::skip(int count) {
  QString ignored;
  int skipped = 0;
  while (skipped < count && next(&ignored)) ++skipped;
  return skipped;
}

}  // namespace orvex
