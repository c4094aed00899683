// orvex-cli: the headless front of the transfers, formats and report of the windowed program.
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>

#include <unistd.h>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include "cli/cliarguments.h"
#include "cli/commands.h"
#include "cli/interruptions.h"
#include "cli/results.h"
#include "programdir.h"

using namespace orvex::cli;

namespace {

// The report lays out text for its PDF, which needs Qt's fonts: a GUI application without a
// display (the offscreen platform on Linux). Every other command runs on a bare core application.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv,
                                                  const ParsedCommandLine& line) {
  const bool report =
      line.kind == ParsedCommandLine::Kind::Run && line.arguments.command == Command::Report;
  if (!report) return std::make_unique<QCoreApplication>(argc, argv);
#ifndef Q_OS_WIN  // Windows' own platform needs no display and shows nothing unasked
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
  return std::make_unique<QGuiApplication>(argc, argv);
}

// Qt's own remarks (a missing runtime folder and the like) are not the user's business here;
// what the command has to say it writes itself. The program's own log categories (orvex.*,
// which QT_LOGGING_RULES switches on) are passed on.
void quietQtRemarks(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  const bool ours = context.category && qstrncmp(context.category, "orvex.", 6) == 0;
  if (ours || type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "%s\n", qUtf8Printable(text));
}

// Without --dir, the folder the windowed program would use when started here. The program's
// name is lent to Qt only to find the user's data folder: left set on Windows (seen under
// Wine), a run whose controllers had threads of their own never ended, hanging in its exit.
Arguments withProgramDir(Arguments arguments) {
  if (!arguments.programDir.isEmpty()) return arguments;
  const QString ownName = QCoreApplication::applicationName();
  QCoreApplication::setApplicationName(QLatin1String(orvex::kProgramName));
  orvex::FolderProblem problem;
  const orvex::ProgramPlace place = orvex::thisProgramPlace(QDir::currentPath());
  QCoreApplication::setApplicationName(ownName);
  arguments.programDir = orvex::chooseProgramDir(place, &problem);
  if (problem)
    std::fprintf(stderr, "%s\n", qUtf8Printable(orvex::folderProblemText(problem, nullptr)));
  return arguments;
}

#ifdef Q_OS_WIN
// Everything is written in UTF-8, as on Linux: the console is told so for the run (and set
// back after), and made to understand the progress bar's line-clearing sequence.
class Utf8Console {
 public:
  Utf8Console() : previous_(GetConsoleOutputCP()) {
    SetConsoleOutputCP(CP_UTF8);
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(err, &mode)) SetConsoleMode(err, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
  }
  ~Utf8Console() { SetConsoleOutputCP(previous_); }
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

 private:
  UINT previous_;
};
#else
struct Utf8Console {};  // the terminal's own
#endif

QStringList argumentsOf(int argc, char** argv) {
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  return args;
}

}  // namespace

int main(int argc, char** argv) {
  [[maybe_unused]] const Utf8Console console;
  qInstallMessageHandler(quietQtRemarks);
  const ParsedCommandLine line = parseCommandLine(argumentsOf(argc, argv));
  const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv, line);
  QTextStream out(stdout);
  if (line.kind == ParsedCommandLine::Kind::Help) {
    out << line.text;
    return kSuccess;
  }
  const bool json = argumentsOf(argc, argv).contains(QStringLiteral("--json"));
  if (line.kind == ParsedCommandLine::Kind::Error) return printRefusal(out, json, line.text);
  Session session;
  QString problem;
  if (!openSession(withProgramDir(line.arguments), &session, &problem))
    return printRefusal(out, json, problem);
  session.progress = line.arguments.quiet          ? ProgressMode::Quiet
                     : isatty(fileno(stderr)) != 0 ? ProgressMode::Bar
                                                   : ProgressMode::Lines;
  Interruptions interruptions;
  session.interruptions = &interruptions;
  const int status = runCommand(session, out);
  interruptions.runEnded();
  return interruptions.count() > 0 ? kInterrupted : status;
}
