// The simulator's command line: the input's lines are the arguments after the program name.
#include "fuzzsupport.h"
#include "sim/simoptions.h"

using namespace orvex;
using fuzz::expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QStringList arguments = QString::fromUtf8(fuzz::inputBytes(data, size)).split(QLatin1Char('\n'));
  arguments.prepend(QStringLiteral("orvex-sim"));
  sim::SimOptions options;
  QString message;
  const sim::ParseResult result = sim::parseSimOptions(arguments, &options, &message);
  if (result != sim::ParseResult::Run) {
    expect(!message.isEmpty(), "help and errors come with a text");
    return 0;
  }
  expect(options.port >= 1 && options.port <= 99, "a port number COM1..COM99");
  expect(options.baud >= 50 && options.baud <= 4'000'000, "a speed the port can take");
  expect(options.faults.strayBytes >= 0 && options.faults.stopAfter >= 0, "no negative counts");
  return 0;
}
