#pragma once
#include <QString>

#include "cli/cliarguments.h"
#include "cli/controllers.h"
#include "cli/progress.h"

// What every command works with: the program directory, the language and its texts, the
// line settings, and where results and progress go.
namespace orvex::cli {

class Interruptions;

struct Session {
  Arguments arguments;
  LinkSetup link;  // program directory, line settings, texts
  int languageBase = 300;
  ProgressMode progress = ProgressMode::Lines;
  const Interruptions* interruptions = nullptr;  // Ctrl-C and the like, passed on to transfers
};

// False, with *problem, when the program directory or the line settings given are unusable.
bool openSession(const Arguments& arguments, Session* session, QString* problem);

// Exit statuses.
constexpr int kSuccess = 0;
constexpr int kControllerFailed = 1;
constexpr int kDiffers = 1;
constexpr int kFileNotWritten = 1;
constexpr int kBadUsage = 2;

}  // namespace orvex::cli
