#pragma once
#include <QString>

namespace orvex {

// Whether `name` can name a file inside a program folder on Windows and Linux alike: no
// path separator, "..", drive, control character or \ / : * ? " < > |, not a device name
// (CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1-9, LPT1-9, COM¹-³, LPT¹-³, with or without
// extension), not ending in a dot or blank, not empty. A user-typed name that fails must
// never reach the file system, or it could write outside the folder or to a device.
bool isSafeFileName(const QString& name);

}  // namespace orvex
