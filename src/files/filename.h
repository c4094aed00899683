#pragma once
#include <QString>

#include "common/texttables.h"

namespace orvex {

// Whether `name` can name a file inside a program folder on Windows and Linux alike: no
// path separator, "..", drive, control character or \ / : * ? " < > |, not a device name
// (CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1-9, LPT1-9, COM¹-³, LPT¹-³, with or without
// extension), not ending in a dot or blank, not empty. A user-typed name that fails must
// never reach the file system, or it could write outside the folder or to a device.
bool isSafeFileName(const QString& name);

// Why a name typed by the user may not be used for a file the program writes and names in
// its own files (Default.fil, the report): not a safe file name, or characters that
// Windows-1252 cannot hold and that would come back as "?". Empty prompt: the name is fine.
struct NameProblem {
  QString prompt;
  QString title;
  bool ok() const { return prompt.isEmpty(); }
};
NameProblem checkStorableName(const QString& name, const TextTables* texts);

// A port's name as a file name in a folder: "COM1", "/dev/ttyUSB0" -> "ttyUSB0".
QString portFileName(const QString& port);

}  // namespace orvex
