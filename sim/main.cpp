// orvex-sim: a simulated ORVEX instrument on a pseudo-terminal (see --help).
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>

#include <unistd.h>

#include "common/textfile.h"
#include "sim/instrumentmodel.h"
#include "sim/simoptions.h"
#include "sim/simserver.h"

using namespace orvex::sim;

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int number) {
  const char byte = static_cast<char>(number);
  [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

void printLine(FILE* stream, const QString& text) {
  std::fprintf(stream, "%s\n", text.toLocal8Bit().constData());
  std::fflush(stream);
}

// The configuration the instrument starts with: --config, else the delivered factory file.
bool loadStartConfiguration(const SimOptions& options, InstrumentModel* model, QString* error) {
  QString path = options.configFile;
  if (path.isEmpty() && !options.programDir.isEmpty()) {
    const QString dir = options.programDir + '/';
    const QString factory =
        orvex::findFileNoCase(orvex::findFileNoCase(dir, "CONFIG") + '/', "FACTORY.QVT");
    if (QFile::exists(factory)) path = factory;
  }
  if (path.isEmpty()) return true;  // the built-in set
  QString text;
  orvex::ReadFailure failure;
  if (!orvex::readTextFile(path, orvex::kConfigFileLimit, &text, &failure)) {
    *error = path + ": " +
             (failure.tooLarge()
                  ? QStringLiteral("too large for a .QVT file (%1 bytes)").arg(failure.size)
                  : failure.reason);
    return false;
  }
  if (model->loadConfigurationText(text, error)) return true;
  *error = path + ": " + *error;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (app.arguments().contains(QStringLiteral("--version"))) {
    printLine(stdout, QStringLiteral("orvex-sim " ORVEX_VERSION));
    return 0;
  }
  SimOptions options;
  QString message;
  switch (parseSimOptions(app.arguments(), &options, &message)) {
    case ParseResult::Help: printLine(stdout, message); return 0;
    case ParseResult::Error: printLine(stderr, "orvex-sim: " + message); return 2;
    case ParseResult::Run: break;
  }
  InstrumentModel model(options.faults);
  if (!loadStartConfiguration(options, &model, &message)) {
    printLine(stderr, "orvex-sim: " + message);
    return 2;
  }
  SimServer server(options, model);
  if (!server.start(&message)) {
    printLine(stderr, "orvex-sim: " + message);
    return 1;
  }
  if (::pipe(signalPipe) != 0) return 1;
  QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
  QObject::connect(&signalNotifier, &QSocketNotifier::activated, [&] {
    char number = 0;
    if (::read(signalPipe[0], &number, 1) != 1) return;
    if (number == SIGUSR1) {
      if (!server.dump(&message)) printLine(stderr, "orvex-sim: " + message);
      return;
    }
    QCoreApplication::quit();
  });
  for (const int s : {SIGUSR1, SIGINT, SIGTERM, SIGHUP}) std::signal(s, onSignal);

  if (!options.quiet) {
    printLine(stdout,
              "orvex-sim: instrument on " + server.terminalPath() +
                  (server.linkPath().isEmpty() ? QString() : ", linked as " + server.linkPath()));
  }
  const int result = QCoreApplication::exec();
  if (!server.dump(&message)) {
    printLine(stderr, "orvex-sim: " + message);
    return 1;
  }
  return result;
}
