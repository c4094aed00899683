#include "languages.h"

#include "common/textfile.h"

namespace orvex {

const std::array<Language, 5>& languages() {
  static const std::array<Language, 5> table{{
      {u"$CASTELLANO$", 0, "Command1", u"Castellano", "es"},
      {u"$ENGLISH$", 300, "Command3", u"English", "en"},
      {u"$FRANÇAIS$", 600, "Command6", u"Français", "fr"},
      {u"$DEUTSCHLAND$", 900, "Command4", u"Deutschland", "de"},
      // Qt translates into Nynorsk only; its button words are the Bokmål ones.
      {u"$NORWEGIAN$", 1200, "Command7", u"Norwegian", "nn"},
  }};
  return table;
}

const Language* languageForMarker(const QString& marker) {
  for (const Language& language : languages())
    if (marker == QStringView(language.marker)) return &language;
  return nullptr;
}

const Language* languageForBase(int base) {
  for (const Language& language : languages())
    if (language.base == base) return &language;
  return nullptr;
}

const Language& englishLanguage() { return *languageForBase(kEnglishBase); }

std::optional<QString> scanLanguageMarker(const QString& content) {
  constexpr qsizetype kScanLength = 50;
  qsizetype first = -1;
  for (qsizetype i = 0; i < kScanLength; ++i) {
    if (i >= content.size()) return std::nullopt;
    if (content[i] != u'$') continue;
    if (first >= 0) return content.mid(first, i + 1 - first);
    first = i;
  }
  return std::nullopt;
}

StartupLanguage chooseStartupLanguage(bool readOk, const QString& content) {
  StartupLanguage choice;
  const std::optional<QString> marker = readOk ? scanLanguageMarker(content) : std::nullopt;
  if (!marker) {
    choice.marker = QString::fromUtf16(englishLanguage().marker);
    choice.showMessage = true;
    choice.rewriteFile = true;
    return choice;
  }
  choice.fileSound = true;
  if (const Language* language = languageForMarker(*marker)) {
    choice.marker = *marker;
    choice.base = language->base;
    choice.matched = true;
    return choice;
  }
  choice.marker = QString::fromUtf16(englishLanguage().marker);
  choice.rewriteFile = true;
  return choice;
}

QString languageFileContent(const QString& marker) { return marker + QStringLiteral("\r\n"); }

QString languageFilePath(const QString& programDir) {
  return findFileNoCase(programDir, QStringLiteral("conflang.sys"));
}

StartupLanguage readLanguageFile(const QString& programDir) {
  QString content;
  const bool read = readTextFile(languageFilePath(programDir), kSettingsFileLimit, &content);
  return chooseStartupLanguage(read, content);
}

bool writeLanguageFile(const QString& programDir, const QString& marker, QString* error) {
  return writeTextFileAtomic(languageFilePath(programDir), languageFileContent(marker), error);
}

QString languageFileDamagedPrompt() {
  return QStringLiteral(
      "There is not the Language Configuration File or this one is damaged. English is loaded");
}

QString languageFileDamagedTitle() {
  return QStringLiteral("Error Message -ORVEX LANGUAGE CONFIGURATION-");
}

}  // namespace orvex
