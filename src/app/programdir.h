#pragma once
#include <QString>

#include <functional>

// Which folder is the program directory. From the build tree (or any folder of the user's that
// holds the program beside its files) it is the start folder, as it always was. An installed
// program cannot keep its files beside itself, so each user gets a folder of their own, filled
// from the files delivered with the program. The windowed program and orvex-cli share this.
namespace orvex {

// The name of the user's folder (QStandardPaths::AppDataLocation): both programs set it as
// their application name, so they share one folder.
inline constexpr char kProgramName[] = "orvex";

// What the choice depends on: thisProgramPlace() gives this process's, tests give their own.
struct ProgramPlace {
  QString ownFolder;    // the executable's folder
  QString startFolder;  // the program directory when not installed: working folder or --dir
  QString userFolder;   // the user's data folder
  std::function<bool(const QString& folder)> writable;
};

// Where the delivered files lie: beside the program, or else in share/orvex of its prefix.
QString deliveredFolder(const QString& ownFolder);

// Installed: the delivered files lie in share/orvex of the prefix (so also when root, who may
// write anywhere, runs it), or beside the program in a folder the user may not write.
bool runsInstalled(const ProgramPlace& place);

// Copies each delivered file and folder that `target` lacks; one already there under any case
// of its name is kept as it is. False, with *problem, when something could not be made.
bool fillFromDelivered(const QString& delivered, const QString& target, QString* problem);

// The program directory, with a trailing '/': the start folder, or when installed the user's
// folder, filled first (*problem then tells what could not be filled; the folder is used still).
QString chooseProgramDir(const ProgramPlace& place, QString* problem);

// This process's place (the application must be named kProgramName).
ProgramPlace thisProgramPlace(const QString& startFolder);

}  // namespace orvex
