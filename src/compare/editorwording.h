#pragma once
#include <QHash>
#include <QString>
#include <QStringList>

// The editor's words in one language without the editor window: what each control of
// ConfigQVT is captioned, the tab captions and the words a comparison adds, so a window and a
// command line name settings and values as the editor does.
namespace orvex {

struct EditorWording {
  QHash<QString, QString> captions;  // ConfigQVT control name -> its caption, trimmed
  QStringList sections;              // the five tab captions, tab 0 first
  QString ticked;                    // a check box ticked, not ticked; none of three ticked
  QString notTicked;
  QString noneTicked;
  QString withoutOption;  // "%1 (value without an option)"

  // The caption of `control`; the design caption of a label no text replaces; "" otherwise.
  QString caption(const QString& control) const;
  QString section(int tab) const { return sections.value(tab); }
};

// The language at `languageBase` from textos.sys in `programDir`, what the file lacks taken
// from the built-in texts (so a missing or older file still gives every word).
EditorWording wordingFor(const QString& programDir, int languageBase);

}  // namespace orvex
