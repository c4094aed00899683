#pragma once
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

#include "common/texttables.h"

namespace orvex {

// Where one item of a language block goes.
struct ItemUse {
  enum class Kind {
    Caption,      // caption of window.control (control empty: the window's title)
    TabCaption,   // caption of tab `index` of the tab control window.control
    PathCaption,  // caption = item + program directory + `suffix`
    Screen,       // screen text `index`
    Message,      // message text `index`
    Report,       // report text `index`
    KeptExit,     // the exit caption the file dialogs put back
    KeptGrabFichLeave,
    KeptLoadFichLeave,
  };
  Kind kind;
  QString window = {};
  QString control = {};
  int index = 0;
  QString suffix = {};
};

// The uses of items 1..268 of a block (index 0 unused).
const std::vector<std::vector<ItemUse>>& textItemTable();

// A caption to put on a control found by name.
struct CaptionAssignment {
  QString window = {};
  QString control;  // empty: the window's title
  QString text;
  int tab = -1;  // >= 0: the text of that tab of the tab control `control`
  bool operator==(const CaptionAssignment&) const = default;
};

struct LanguageTexts {
  TextTables tables;
  QList<CaptionAssignment> captions;
};

// Spreads a block's 268 items (and the extra items 269..) over the tables and captions.
// `programDir` ends with a separator; paths shown in captions use native separators.
LanguageTexts distributeTextItems(const QStringList& items, const QStringList& extra,
                                  const QString& programDir);

}  // namespace orvex
