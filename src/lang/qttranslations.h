#pragma once

namespace orvex {

struct Language;

// Installs Qt's own translations for `language` (its standard buttons such as OK, Yes and
// No, its dialogs and the serial port's error texts) in place of the previous language's.
// Where the system has no translation for a part, that part stays in English.
void applyQtTranslations(const Language& language);

}  // namespace orvex
