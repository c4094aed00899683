#include "session.h"

#include <QDir>

#include "common/textfile.h"
#include "lang/languages.h"
#include "lang/qttranslations.h"
#include "lang/textplan.h"
#include "lang/textsfile.h"
#include "link/serialsettings.h"

namespace orvex::cli {
namespace {

int baseOf(const QString& code) {
  for (const Language& language : languages())
    if (code == QLatin1String(language.qtLocale) ||
        (code == QLatin1String("no") && language.base == 1200))
      return language.base;
  return kEnglishBase;
}

// --lang, else the language the windowed program uses in that folder, else English.
int chooseLanguage(const QString& code, const QString& programDir) {
  if (!code.isEmpty()) return baseOf(code);
  QString content;
  if (!readTextFile(findFileNoCase(programDir, QStringLiteral("conflang.sys")), kSettingsFileLimit,
                    &content))
    return kEnglishBase;
  const std::optional<QString> marker = scanLanguageMarker(content);
  const Language* language = marker ? languageForMarker(*marker) : nullptr;
  return language ? language->base : kEnglishBase;
}

// The texts of that language: textos.sys of the folder, the built-in texts where it fails.
TextTables loadTexts(const QString& programDir, int base) {
  TextBlock block = readTextBlock(programDir, base);
  fillFromBuiltIn(&block, builtInTextBlock(base));
  applyQtTranslations(*languageForBase(base));
  TextTables tables = distributeTextItems(block.items, block.extra, programDir).tables;
  tables.languageBase = base;
  return tables;
}

// --settings, else confcom.sys's, else the program's default.
bool chooseLineSettings(const QString& given, const QString& programDir, QString* settings,
                        QString* problem) {
  LineSettings parsed;
  if (!given.isEmpty()) {
    *settings = given;
    return parseLineSettings(given, &parsed, problem);
  }
  QString content;
  *settings = splitSerialSettings(QString::fromLatin1(kDefaultSerialSettings)).lineSettings;
  if (!readTextFile(findFileNoCase(programDir, QString::fromLatin1(kSerialSettingsFile)),
                    kSettingsFileLimit, &content))
    return true;
  const QString stored = splitSerialSettings(content.left(kSerialSettingsLength)).lineSettings;
  if (parseLineSettings(stored, &parsed, nullptr)) *settings = stored;
  return true;
}

}  // namespace

bool openSession(const Arguments& arguments, Session* session, QString* problem) {
  const QDir dir(arguments.programDir);
  if (!dir.exists()) {
    *problem = QStringLiteral("The program directory %1 does not exist.").arg(arguments.programDir);
    return false;
  }
  session->arguments = arguments;
  session->link.programDir = dir.absolutePath() + QLatin1Char('/');
  session->languageBase = chooseLanguage(arguments.language, session->link.programDir);
  session->link.texts = loadTexts(session->link.programDir, session->languageBase);
  return chooseLineSettings(arguments.lineSettings, session->link.programDir,
                            &session->link.lineSettings, problem);
}

}  // namespace orvex::cli
