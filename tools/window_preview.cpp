// Shows any window of the program in a chosen language (and tab), for looking at its layout:
//   window_preview PROGRAM_DIR BASE WINDOW [TAB]
// BASE is a language block's base (0, 300, 600, 900, 1200). Missing controls and messages are
// printed on stderr.
#include <QApplication>
#include <QTabWidget>
#include <QTextStream>

#include "common/ui/appservices.h"
#include "programwindows.h"
#include "lang/loadtexts.h"
#include "link/testing/inmemoryserialport.h"
#include "support/recordingmessageboxes.h"

using namespace orvex;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  ProgramContext context;
  context.programDir = args.value(1, ".") + "/";
  WindowRegistry windows;
  test::RecordingMessageBoxes messages;
  AppEvents events;
  test::VirtualTimeWaiter waiter;
  test::InMemorySerialPort port{waiter};
  AppServices services{context, windows, messages, events, &port, &waiter};
  registerProgramWindows(services);
  QWidget* window = windows.window(args.value(3, "Presentacion"));
  if (!window) return 2;
  loadTexts(services, args.value(2, "0").toInt());
  QTextStream out(stderr);
  for (const QString& missing : missingCaptionControls(windows)) out << "missing " << missing << "\n";
  for (const auto& call : messages.calls) out << "message " << call.prompt << "\n";
  out.flush();
  if (auto* tabs = window->findChild<QTabWidget*>()) tabs->setCurrentIndex(args.value(4, "0").toInt());
  window->show();
  return app.exec();
}
