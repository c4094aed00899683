#pragma once
#include <QList>
#include <QStringList>

#include "lang/textplan.h"

namespace orvex {

struct AppServices;
class WindowRegistry;

// LoadTexts: reads the block of language `base` from textos.sys and puts its texts on every
// window (creating windows not yet created) and into the text tables, with Qt's own texts
// in that language, then announces languageApplied. When textos.sys cannot give the block
// the user is told which file in which folder, and the program's built-in texts of that
// language stand in (also for any text an older file lacks), so no caption or message is
// ever left blank. False only for a base that is no language. The current language marker
// is the caller's to set.
bool loadTexts(AppServices& services, int base);

// Puts each caption on its control, found by name; windows unknown to the registry and
// controls they do not have are skipped.
void applyCaptions(WindowRegistry& windows, const QList<CaptionAssignment>& captions);

// "Window.Control" for every control named by the item table that a registered window lacks
// (or that cannot take its caption).
QStringList missingCaptionControls(WindowRegistry& windows);

}  // namespace orvex
