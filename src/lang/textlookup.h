#pragma once
#include <QString>

#include "common/texttables.h"

namespace orvex {

// The one way to a text of the chosen language, by table and number. Where the tables hold
// none (no language loaded yet, `texts` null) the program's built-in English text stands
// in, so no caption or message is ever blank; a number beyond the table gives "".
QString screenText(const TextTables* texts, int n);
QString messageText(const TextTables* texts, int n);
QString extraText(const TextTables* texts, int n);  // n: extra::...

}  // namespace orvex
