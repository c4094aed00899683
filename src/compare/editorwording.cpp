#include "editorwording.h"

#include "config/editortable.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"
#include "lang/textplan.h"
#include "lang/textsfile.h"

namespace orvex {
namespace {

EditorWording wordingFromTexts(const LanguageTexts& texts) {
  EditorWording wording;
  for (const CaptionAssignment& assignment : texts.captions) {
    if (assignment.window != QLatin1String("ConfigQVT")) continue;
    if (assignment.tab < 0) {
      wording.captions.insert(assignment.control, assignment.text.trimmed());
      continue;
    }
    while (wording.sections.size() <= assignment.tab) wording.sections.append(QString());
    wording.sections[assignment.tab] = assignment.text.trimmed();
  }
  const TextTables* words = &texts.tables;
  wording.ticked = extraText(words, extra::CompareTicked);
  wording.notTicked = extraText(words, extra::CompareNotTicked);
  wording.noneTicked = extraText(words, extra::CompareNoneTicked);
  wording.withoutOption = extraText(words, extra::CompareWithoutOption);
  return wording;
}

}  // namespace

QString EditorWording::caption(const QString& control) const {
  const QString text = captions.value(control);
  return text.isEmpty() ? numberBoxLabelCaption(control) : text;
}

EditorWording wordingFor(const QString& programDir, int languageBase) {
  return wordingFromTexts(loadLanguageTexts(programDir, languageBase).texts);
}

}  // namespace orvex
