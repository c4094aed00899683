#include "editorwording.h"

#include "config/editortable.h"
#include "lang/extratexts.h"
#include "lang/textplan.h"
#include "lang/textsfile.h"

namespace orvex {

QString EditorWording::caption(const QString& control) const {
  const QString text = captions.value(control);
  return text.isEmpty() ? numberBoxLabelCaption(control) : text;
}

EditorWording wordingFromItems(const QStringList& items, const QStringList& extra) {
  const LanguageTexts texts = distributeTextItems(items, extra, QString());
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
  const auto& words = texts.tables.extra;
  wording.ticked = words[extra::CompareTicked];
  wording.notTicked = words[extra::CompareNotTicked];
  wording.noneTicked = words[extra::CompareNoneTicked];
  wording.withoutOption = words[extra::CompareWithoutOption];
  return wording;
}

EditorWording wordingFor(const QString& programDir, int languageBase) {
  TextBlock block = readTextBlock(programDir, languageBase);
  fillFromBuiltIn(&block, builtInTextBlock(languageBase));
  return wordingFromItems(block.items, block.extra);
}

}  // namespace orvex
