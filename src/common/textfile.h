#pragma once
#include <QString>

// Whole-file text I/O in the program's encoding (Windows-1252). Every write goes to a
// temporary file that replaces the target only when complete, so a failed or interrupted
// save leaves the previous file whole.
namespace orvex {

bool readTextFile(const QString& path, QString* content, QString* error);
bool writeTextFileAtomic(const QString& path, const QString& content, QString* error);

// The path of `name` inside `dir`, matched without regard to case (the program writes
// DEFAULT.FIL and reads Default.fil). If nothing matches, dir + name as given.
QString findFileNoCase(const QString& dir, const QString& name);

}  // namespace orvex
