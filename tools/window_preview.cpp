// Shows any window of the program in a chosen language (and tab), for looking at its layout:
//   window_preview PROGRAM_DIR BASE WINDOW [TAB]
// BASE is a language block's base (0, 300, 600, 900, 1200). Missing controls and messages are
// printed on stderr.
#include <QApplication>
#include <QTabWidget>
#include <QTextStream>

#include "common/ui/appservices.h"
#include "lang/loadtexts.h"
#include "programwindows.h"
#include "support/servicesfixture.h"
#include "testing/inmemoryserialport.h"

using namespace orvex;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  test::VirtualTimeWaiter waiter;
  test::InMemorySerialPort port{waiter};
  test::ServicesFixture program(args.value(1, ".") + "/", &port, &waiter);
  registerProgramWindows(program.services);
  QWidget* window = program.windows.window(args.value(3, "Presentacion"));
  if (!window) return 2;
  loadTexts(program.services, args.value(2, "0").toInt());
  QTextStream out(stderr);
  for (const QString& missing : missingCaptionControls(program.windows))
    out << "missing " << missing << "\n";
  for (const QString& shown : program.messages.shown()) out << "message " << shown << "\n";
  out.flush();
  if (auto* tabs = window->findChild<QTabWidget*>())
    tabs->setCurrentIndex(args.value(4, "0").toInt());
  window->show();
  return app.exec();
}
