// Runs a read or a write against the instrument on the program directory's COM port, in
// real time with the program's own port and waits, to look at GrabQVT during a transfer:
//   transfer_preview PROGRAM_DIR BASE read|write [quit]
// Messages are printed instead of shown; with "quit" the program ends after the transfer.
#include <QApplication>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>

#include "common/ui/appservices.h"
#include "config/ui/configqvt.h"
#include "lang/loadtexts.h"
#include "link/eventloopwaiter.h"
#include "link/systemserialport.h"
#include "link/register.h"
#include "link/transfers.h"
#include "programwindows.h"
#include "support/servicesfixture.h"

using namespace orvex;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  const QString programDir = args.value(1, ".") + "/";
  SystemSerialPort port(programDir);
  EventLoopWaiter waiter;
  test::ServicesFixture program(programDir, &port, &waiter);
  QTextStream out(stderr);
  program.messages.onShow = [&out](const test::RecordingMessageBoxes::Call& call) {
    out << "message [" << call.title << "] " << call.prompt << "\n";
    out.flush();
  };
  registerEditorWindow(program.services);
  registerLinkWindows(program.services);
  loadTexts(program.services, args.value(2, "300").toInt());
  auto* editor = program.windows.get<ConfigQVT>("ConfigQVT");
  editor->setGeometry(360, 60, 1000, 700);
  editor->show();
  const QString command = args.value(3) == "write" ? "Command5" : "Command4";
  QObject::connect(&program.events, &AppEvents::transferEnded, [&] {
    out << "ended; IdentityFailed " << program.services.transfers->identityFailed() << "\n";
    out.flush();
    if (args.value(4) == "quit") QTimer::singleShot(0, &app, &QApplication::quit);
  });
  QTimer::singleShot(300, editor, [editor, command] {
    if (auto* button = editor->findChild<QPushButton*>(command)) button->click();
  });
  return app.exec();
}
