#pragma once
#include <QString>

#include "lang/texttables.h"

namespace orvex {

// Why the file at `path` could not be written, in the chosen language ("the folder ... does
// not exist", "... is a file, not a folder"), for the %2 of the write-failure message. The
// system's own text goes to the program's standard error only.
QString writeFailureReason(const TextTables* texts, const QString& path, const QString& systemText);

}  // namespace orvex
