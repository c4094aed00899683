#include "loadtexts.h"

#include <QHash>
#include <QTabWidget>

#include "common/ui/appservices.h"
#include "common/ui/captions.h"
#include "lang/languages.h"
#include "lang/qttranslations.h"
#include "lang/textsfile.h"

namespace orvex {
namespace {

bool applyCaption(QWidget* window, const CaptionAssignment& caption) {
  QObject* control = findControl(window, caption.control);
  if (caption.tab < 0) return control && setCaption(control, caption.text);
  // The tab's text changes without making it current, so the page the user had open stays.
  auto* tabs = qobject_cast<QTabWidget*>(control);
  if (!tabs || caption.tab >= tabs->count()) return false;
  tabs->setTabText(caption.tab, caption.text);
  return true;
}

QString describe(const ItemUse& use) {
  QString name =
      use.window + '.' + (use.control.isEmpty() ? QStringLiteral("<title>") : use.control);
  if (use.kind == ItemUse::Kind::TabCaption) name += QStringLiteral("[tab %1]").arg(use.index);
  return name;
}

bool isCaptionUse(const ItemUse& use) {
  return use.kind == ItemUse::Kind::Caption || use.kind == ItemUse::Kind::TabCaption ||
         use.kind == ItemUse::Kind::PathCaption;
}

}  // namespace

void applyCaptions(WindowRegistry& windows, const QList<CaptionAssignment>& captions) {
  QHash<QString, QWidget*> resolved;
  for (const CaptionAssignment& caption : captions) {
    auto it = resolved.find(caption.window);
    if (it == resolved.end()) it = resolved.insert(caption.window, windows.window(caption.window));
    if (*it) applyCaption(*it, caption);
  }
}

QStringList missingCaptionControls(WindowRegistry& windows) {
  QStringList missing;
  for (const auto& uses : textItemTable()) {
    for (const ItemUse& use : uses) {
      if (!isCaptionUse(use) || !windows.known(use.window)) continue;
      // The probe text is the control's own caption, so the check changes nothing visible.
      QWidget* window = windows.window(use.window);
      QObject* control = findControl(window, use.control);
      CaptionAssignment probe{use.window, use.control, caption(control)};
      if (use.kind == ItemUse::Kind::TabCaption) {
        auto* tabs = qobject_cast<QTabWidget*>(control);
        probe.tab = use.index;
        probe.text = tabs && use.index < tabs->count() ? tabs->tabText(use.index) : QString();
      }
      if (!control || !applyCaption(window, probe)) missing.append(describe(use));
    }
  }
  missing.removeDuplicates();
  return missing;
}

bool loadTexts(AppServices& services, int base) {
  const Language* language = languageForBase(base);
  if (!language) return false;
  LoadedLanguage loaded = loadLanguageTexts(services.context.programDir, base);
  if (!loaded.problem.isEmpty())
    services.messages.show(MessageIcon::Exclamation, loaded.problem, loaded.problemTitle);
  applyQtTranslations(*language);
  services.context.texts = std::move(loaded.texts.tables);
  applyCaptions(services.windows, loaded.texts.captions);
  emit services.events.languageApplied();
  return true;
}

}  // namespace orvex
