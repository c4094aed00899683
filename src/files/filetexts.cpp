#include "filetexts.h"

#include "lang/languages.h"
#include "lang/textsfile.h"

namespace orvex {

QString extraText(const TextTables* texts, int item) {
  if (texts && item > 0 && item < static_cast<int>(texts->extra.size()) &&
      !texts->extra[static_cast<size_t>(item)].isEmpty())
    return texts->extra[static_cast<size_t>(item)];
  static const QStringList english = builtInTextBlock(kEnglishBase).extra;
  return english.value(item - 1);
}

}  // namespace orvex
