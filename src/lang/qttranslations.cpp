#include "qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <vector>

#include "lang/languages.h"

namespace orvex {

void applyQtTranslations(const Language& language) {
  static std::vector<std::unique_ptr<QTranslator>> installed;
  for (const auto& translator : installed) QCoreApplication::removeTranslator(translator.get());
  installed.clear();
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const char* catalogue : {"qtbase", "qtserialport"}) {
    auto translator = std::make_unique<QTranslator>();
    const QString name =
        QStringLiteral("%1_%2").arg(QLatin1String(catalogue), QLatin1String(language.qtLocale));
    if (!translator->load(name, folder) || !QCoreApplication::installTranslator(translator.get()))
      continue;
    installed.push_back(std::move(translator));
  }
}

}  // namespace orvex
