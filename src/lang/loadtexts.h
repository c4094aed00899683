#pragma once
#include <QList>
#include <QStringList>

#include "lang/textplan.h"

namespace orvex {

struct AppServices;
class WindowRegistry;

// LoadTexts: reads the block of language `base` from textos.sys and puts its texts on every
// window (creating windows not yet created) and into the text tables, then announces
// languageApplied. When textos.sys cannot give the block the user is told which file in
// which folder, every caption and table stays as it was, and the result is false. The
// current language marker is the caller's to set.
bool loadTexts(AppServices& services, int base);

// Puts each caption on its control, found by name; windows unknown to the registry and
// controls they do not have are skipped.
void applyCaptions(WindowRegistry& windows, const QList<CaptionAssignment>& captions);

// "Window.Control" for every control named by the item table that a registered window lacks
// (or that cannot take its caption).
QStringList missingCaptionControls(WindowRegistry& windows);

}  // namespace orvex
