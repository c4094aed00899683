// Shows the editor window in a chosen language and tab, for looking at its layout:
//   editor_preview PROGRAM_DIR BASE TAB
#include <QApplication>
#include <QTabWidget>
#include <QTextStream>

#include "common/ui/appservices.h"
#include "config/register.h"
#include "config/ui/configqvt.h"
#include "lang/loadtexts.h"
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
  AppServices services{context, windows, messages, events};
  registerConfigWindows(services);
  auto* editor = windows.get<ConfigQVT>("ConfigQVT");
  loadTexts(services, args.value(2, "0").toInt());
  QTextStream out(stderr);
  for (const QString& missing : missingCaptionControls(windows)) out << "missing " << missing << "\n";
  for (const auto& call : messages.calls) out << "message " << call.prompt << "\n";
  out << "minimum size " << editor->minimumSizeHint().width() << "x"
      << editor->minimumSizeHint().height() << "\n";
  out.flush();
  editor->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(args.value(3, "0").toInt());
  editor->setGeometry(0, 0, 1366, 738);
  editor->show();
  return app.exec();
}
