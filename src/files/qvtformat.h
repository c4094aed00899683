#pragma once
#include <QString>

#include "config/parameterset.h"
#include "lang/texttables.h"

// Configuration files (.QVT): 63 lines, line k the value of slot k in list style
// (" 3 ", "-1 "), CR LF, Windows-1252. And Default.fil, which names the one shown at start.
namespace orvex {

QString formatQvt(const ParameterSet& set);  // slots 1..63 only

// Reads 63 numbers into slots 1..63 of *set, all or nothing: a file too large to be a
// configuration, with fewer or more values, or with a value out of range is refused. On
// failure *problem says, in the language of `texts` (English when null or not loaded), which
// file and what is wrong; *set is unchanged.
bool readQvtFile(const QString& path, ParameterSet* set, QString* problem,
                 const TextTables* texts = nullptr);
// Atomic: on failure the previous file is whole and *error holds the system's reason.
bool writeQvtFile(const QString& path, const ParameterSet& set, QString* error);

// The first list item of a default-configuration file's text: leading blanks skipped, ended
// by a comma or the line end, surrounding double quotes removed.
QString firstListItem(const QString& text);

// The path of CONFIG/NAME.QVT in the program directory, folder and file found without regard
// to case (a file saved as NAME.QVT is found as name.qvt).
QString configFilePath(const QString& programDir, const QString& name);

// The default-configuration file that saving replaces: the Default.fil that start-up reads,
// under whatever case it has in the program directory (also when files copied from Windows
// left both Default.fil and DEFAULT.FIL there), or a new DEFAULT.FIL.
QString defaultFilePath(const QString& programDir);

// Default.fil (found without regard to case) names CONFIG/NAME.QVT; reads it into *set,
// all or nothing, with *problem as above.
bool loadDefaultConfiguration(const QString& programDir, ParameterSet* set, QString* problem,
                              const TextTables* texts = nullptr);

// Replaces defaultFilePath() with `name` and CR LF; a name that
// list-style reading would cut (a comma, blanks at its ends) is written in double quotes.
bool writeDefaultFile(const QString& programDir, const QString& name, QString* error);

}  // namespace orvex
