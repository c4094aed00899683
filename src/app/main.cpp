#include <QApplication>
#include <QIcon>

#include <cstdio>

#include "program.h"
#include "programdir.h"

namespace {

QIcon programIcon() {
#ifdef Q_OS_WIN
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icon/%1.png").arg(size));
  return icon;
#else
  return QIcon::fromTheme(QStringLiteral(ORVEX_APP_ID),
                          QIcon(QStringLiteral(":/" ORVEX_APP_ID ".svg")));
#endif
}

}  // namespace

int main(int argc, char** argv) {
  // Told before any window system is asked for: works without a display.
  if (argc == 2 && qstrcmp(argv[1], "--version") == 0) {
    std::printf("orvex %s\n", ORVEX_VERSION);
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QLatin1String(orvex::kProgramName));
  // The desktop entry's name, so a desktop shows the menu entry's icon for the windows.
  QGuiApplication::setDesktopFileName(QStringLiteral(ORVEX_APP_ID));
  QApplication::setWindowIcon(programIcon());
  orvex::Program program;
  return program.run();
}
