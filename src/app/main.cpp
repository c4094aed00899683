#include <QApplication>
#include <QIcon>

#include "program.h"
#include "programdir.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QLatin1String(orvex::kProgramName));
  // The desktop entry's name, so a desktop shows the menu entry's icon for the windows.
  QGuiApplication::setDesktopFileName(QStringLiteral(ORVEX_APP_ID));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(ORVEX_APP_ID),
                                               QIcon(QStringLiteral(":/" ORVEX_APP_ID ".svg"))));
  orvex::Program program;
  return program.run();
}
