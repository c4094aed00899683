#pragma once
#include <QString>

#include "common/texttables.h"

namespace orvex {

// Text item `item` (extra::...) of the current language, or its built-in English form when
// no language is loaded (start-up before LoadTexts, tests).
QString extraText(const TextTables* texts, int item);

}  // namespace orvex
