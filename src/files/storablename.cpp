#include "common/cp1252.h"
#include "files/filename.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"

namespace orvex {
namespace {

// A name pasted by mistake may be huge: the message shows its start.
QString shownName(const QString& name) {
  constexpr qsizetype kShownLength = 80;
  return name.size() <= kShownLength ? name : name.left(kShownLength - 1) + QChar(0x2026);
}

}  // namespace

NameProblem checkStorableName(const QString& name, const TextTables* texts) {
  if (!isSafeFileName(name))
    return {extraText(texts, extra::NameInvalid).arg(shownName(name)),
            extraText(texts, extra::NameInvalidTitle)};
  const QString unstorable = charactersWithoutCp1252Form(name);
  if (!unstorable.isEmpty())
    return {extraText(texts, extra::NotStorable).arg(shownName(name), shownName(unstorable)),
            extraText(texts, extra::NameInvalidTitle)};
  return {};
}

}  // namespace orvex
