#include "textlookup.h"

#include "lang/languages.h"
#include "lang/textplan.h"
#include "lang/textsfile.h"

namespace orvex {
namespace {

const TextTables& builtInEnglish() {
  static const TextTables english = [] {
    const TextBlock block = builtInTextBlock(kEnglishBase);
    return distributeTextItems(block.items, block.extra, QString()).tables;
  }();
  return english;
}

template <size_t N>
QString lookUp(const TextTables* texts, std::array<QString, N> TextTables::*table, int n) {
  if (n < 0 || n >= static_cast<int>(N)) return {};
  const auto i = static_cast<size_t>(n);
  if (texts && !(texts->*table)[i].isEmpty()) return (texts->*table)[i];
  return (builtInEnglish().*table)[i];
}

}  // namespace

QString screenText(const TextTables* texts, int n) { return lookUp(texts, &TextTables::screen, n); }

QString messageText(const TextTables* texts, int n) {
  return lookUp(texts, &TextTables::message, n);
}

QString extraText(const TextTables* texts, int n) { return lookUp(texts, &TextTables::extra, n); }

}  // namespace orvex
