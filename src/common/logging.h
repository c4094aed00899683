#pragma once
#include <QLoggingCategory>

// The program's log categories. Warnings show by default; a support desk switches the
// rest on with QT_LOGGING_RULES, e.g. "orvex.link.debug=true" for every frame as it goes.
Q_DECLARE_LOGGING_CATEGORY(lcLink)   // orvex.link: ports, frames, transfers
Q_DECLARE_LOGGING_CATEGORY(lcFiles)  // orvex.files: files read and written
