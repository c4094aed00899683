#pragma once
#include <QString>

#include <array>
#include <optional>

namespace orvex {

// One of the five languages: its conflang.sys marker, the position of its block in
// textos.sys (in items), and its button in the Idioma window.
struct Language {
  const char16_t* marker;
  int base;
  const char* buttonName;
  const char16_t* buttonCaption;  // written in the language itself
  const char* qtLocale;           // Qt's own translations (standard buttons, port errors)
};

constexpr int kItemsPerBlock = 300;
constexpr int kItemsUsedPerBlock = 268;
// Texts beyond a block's 300 items stand after all five blocks, where readers of the five
// blocks never look: a language's items 301..600 form its block at base + kExtensionStart.
constexpr int kExtensionStart = 5 * kItemsPerBlock;
constexpr int kItemsPerLanguage = 2 * kItemsPerBlock;
constexpr int kEnglishBase = 300;

// In the order the start-up choice compares the markers.
const std::array<Language, 5>& languages();
const Language* languageForMarker(const QString& marker);  // exact match; null if none
const Language* languageForBase(int base);
const Language& englishLanguage();

// The marker cut out of conflang.sys's content: from the first "$" up to and including the
// second, both within the first 50 characters; nothing when the content is damaged.
std::optional<QString> scanLanguageMarker(const QString& content);

// What the start-up does about the language.
struct StartupLanguage {
  QString marker;            // the current language marker from now on
  int base = kEnglishBase;   // the block LoadTexts reads
  bool fileSound = false;    // a marker was found (the hidden windows are loaded at once)
  bool matched = false;      // the marker is one of the five (its Idioma button is marked)
  bool showMessage = false;  // the file is missing or damaged
  bool rewriteFile = false;  // conflang.sys gets the marker written back
};

// `readOk` false: the file was missing or unreadable.
StartupLanguage chooseStartupLanguage(bool readOk, const QString& content);

// conflang.sys as written by the program.
QString languageFileContent(const QString& marker);

// conflang.sys of the program directory (found without regard to case), and the start-up's
// choice from what it holds.
QString languageFilePath(const QString& programDir);
StartupLanguage readLanguageFile(const QString& programDir);
// Writes `marker` as conflang.sys's one line; on failure *error tells why.
bool writeLanguageFile(const QString& programDir, const QString& marker, QString* error);

// The message of the start-up choice for a missing or damaged conflang.sys. It cannot come
// from textos.sys: the language is not known yet.
QString languageFileDamagedPrompt();
QString languageFileDamagedTitle();

}  // namespace orvex
