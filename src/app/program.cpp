#include "program.h"

#include <QApplication>
#include <QDir>

#include "link/eventloopwaiter.h"
#include "link/systemserialport.h"
#include "programdir.h"
#include "programwindows.h"
#include "shell/startup.h"

namespace orvex {
namespace {

// Told once the texts are loaded, in the user's language, over the main window: started from
// the menu, nobody sees standard error.
void tellFolderProblem(AppServices& services, const FolderProblem& problem) {
  if (!problem) return;
  const TextTables* texts = &services.context.texts;
  services.messages.show(MessageIcon::Exclamation, folderProblemText(problem, texts),
                         folderProblemTitle(texts));
}

}  // namespace

Program::Program() : services_{context_, windows_, messages_, events_} {
  FolderProblem problem;
  context_.programDir = chooseProgramDir(thisProgramPlace(QDir::currentPath()), &problem);
  port_ = std::make_unique<SystemSerialPort>(context_.programDir);
  waiter_ = std::make_unique<EventLoopWaiter>();
  services_.port = port_.get();
  services_.waiter = waiter_.get();
  registerProgramWindows(services_);
  startShell(services_);
  tellFolderProblem(services_, problem);
}

Program::~Program() = default;

int Program::run() { return QApplication::exec(); }

}  // namespace orvex
