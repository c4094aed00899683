#pragma once
#include <QString>

#include "config/parameterset.h"

// Configuration files (.QVT): 63 lines, line k the value of slot k in list style
// (" 3 ", "-1 "), CR LF, Windows-1252. And Default.fil, which names the one shown at start.
namespace orvex {

QString formatQvt(const ParameterSet& set);  // slots 1..63 only

// Reads 63 numbers into slots 1..63 of *set, all or nothing. On failure *problem says, in
// the current language, which file and what is wrong; *set is unchanged.
bool readQvtFile(const QString& path, ParameterSet* set, QString* problem);
bool writeQvtFile(const QString& path, const ParameterSet& set, QString* error);

// Default.fil (found without regard to case) names CONFIG/NAME.QVT; reads it into *set,
// all or nothing, with *problem as above.
bool loadDefaultConfiguration(const QString& programDir, ParameterSet* set, QString* problem);

}  // namespace orvex
