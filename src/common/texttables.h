#pragma once
#include <QString>

#include <array>

namespace orvex {

// The text tables LoadTexts fills from the chosen language block of textos.sys.
struct TextTables {
  std::array<QString, 21> screen;   // screen text n; 0 is scratch
  std::array<QString, 51> message;  // message text n, 1..48 loaded
  std::array<QString, 51> report;   // report text n, 1..47 loaded
  QString exitCaption;              // item 17
  QString grabFichLeaveCaption;     // item 160
  QString loadFichLeaveCaption;     // item 164
  // Items 269..600 (index 1..332): the texts beyond the 268 (269..300 in the block, 301..
  // in the language's extension block).
  std::array<QString, 333> extra;
  int languageBase = -1;  // the block they were read from; -1 before any LoadTexts
};

}  // namespace orvex
