#pragma once
#include <QString>
#include <QStringList>

#include "lang/textplan.h"

namespace orvex {

// One language block of textos.sys as read from the program directory.
struct TextBlock {
  enum class Status { Ok, Missing, Unreadable, TooShort, TooLarge };
  Status status = Status::Missing;
  QString path;         // the file that was (or would have been) read
  QString error;        // the system's reason when unreadable
  qint64 size = 0;      // the file's size when too large
  int itemsFound = 0;   // items of the file (all blocks) when too short
  int itemsNeeded = 0;  // base + 268
  QStringList items;    // items 1..268 of the block (index 0 = item 1)
  QStringList extra;    // items 269..600 as far as the file holds them (index 0 = item 269)
};

TextBlock readTextBlock(const QString& programDir, int base);
// The same, from content already in memory (`path` only names it in the outcome).
TextBlock parseTextBlock(const QString& content, int base, const QString& path);
// The block of the textos.sys built into the program, which speaks for a damaged, short or
// older file: every item it lacks or leaves empty is taken from here.
TextBlock builtInTextBlock(int base);
void fillFromBuiltIn(TextBlock* block, const TextBlock& builtIn);

// The message for a block that could not be read, in the language of `base`: it cannot
// come from textos.sys itself.
QString textBlockFailurePrompt(const TextBlock& block, int base);
QString textBlockFailureTitle(int base);

// A language's texts from textos.sys of the program directory, the built-in texts standing in
// for whatever the file cannot give. When it could not give the block, `problem` and
// `problemTitle` tell which file and why, in that language (else they are empty).
struct LoadedLanguage {
  LanguageTexts texts;  // tables.languageBase is `base`
  QString problem;
  QString problemTitle;
};
LoadedLanguage loadLanguageTexts(const QString& programDir, int base);

}  // namespace orvex
