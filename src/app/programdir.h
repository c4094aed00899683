#pragma once
#include <QString>

#include <functional>

#include "lang/texttables.h"

// Which folder is the program directory. From the build tree (or any folder of the user's that
// holds the program beside its files) it is the start folder, as it always was. An installed
// program cannot keep its files beside itself, so each user gets a folder of their own, filled
// from the files delivered with the program. The windowed program and orvex-cli share this;
// so do Linux (share/orvex of the prefix) and Windows (the install folder, %APPDATA%\orvex).
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

// What stood in the way of filling the user's folder, kept apart so that the windowed program
// can tell it in the user's language once its texts are loaded.
struct FolderProblem {
  enum class Kind {
    None,
    FolderNotMade,  // the user's folder itself: the program reads the delivered files instead
    EntryNotMade,   // one file or folder inside it: the program goes on with what is there
  };
  enum class Reason {
    System,       // `systemText` says why
    NotAFolder,   // `blocking` is a file where a folder has to be
    NotWritable,  // `blocking` is a folder this user may not write in
  };
  Kind kind = Kind::None;
  QString path;       // what could not be made
  QString delivered;  // where the delivered files lie
  Reason reason = Reason::System;
  QString blocking;
  QString systemText;

  explicit operator bool() const { return kind != Kind::None; }
};

// The problem in the language of `texts` (English when null or not loaded yet): what the
// windowed program shows, and orvex-cli writes to standard error.
QString folderProblemText(const FolderProblem& problem, const TextTables* texts);
QString folderProblemTitle(const TextTables* texts);

// Where the delivered files lie: beside the program, or else in share/orvex of its prefix.
QString deliveredFolder(const QString& ownFolder);

// Installed: the delivered files lie in share/orvex of the prefix (so also when root, who may
// write anywhere, runs it), or beside the program in a folder the user may not write.
bool runsInstalled(const ProgramPlace& place);

// Copies each delivered file and folder that `target` lacks; one already there under any case
// of its name is the user's and is kept as it is, except the files the program only reads
// (textos.sys), which are replaced when the delivered one differs: an upgrade brings its
// texts. False, with *problem (the first thing that could not be made), when not whole.
bool fillFromDelivered(const QString& delivered, const QString& target, FolderProblem* problem);

// The program directory, with a trailing '/': the start folder, or when installed the user's
// folder, filled first. When that folder cannot be made, the delivered folder, read as it is
// (nothing can be saved there); *problem tells what could not be made.
QString chooseProgramDir(const ProgramPlace& place, FolderProblem* problem);

// This process's place (the application must be named kProgramName).
ProgramPlace thisProgramPlace(const QString& startFolder);

}  // namespace orvex
