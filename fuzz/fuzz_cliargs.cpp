// orvex-cli's command line: any words, split at NUL bytes, give a run, help or a usage error,
// and a run names what its command needs.
#include <QStringList>

#include "cli/cliarguments.h"
#include "files/filename.h"
#include "fuzzsupport.h"

using namespace orvex::cli;
using orvex::portFileName;
using orvex::fuzz::expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes = orvex::fuzz::inputBytes(data, size);
  QStringList args;
  for (const QByteArray& word : bytes.split('\0')) args << QString::fromUtf8(word);
  const ParsedCommandLine line = parseCommandLine(args);
  if (line.kind != ParsedCommandLine::Kind::Run) {
    expect(!line.text.isEmpty(), "help and errors say something");
    return 0;
  }
  const Arguments& a = line.arguments;
  switch (a.command) {
    case Command::Read:
      expect(!a.ports.isEmpty() && !a.output.isEmpty(), "read has ports and -o");
      break;
    case Command::Write:
      expect(!a.ports.isEmpty() && !a.input.isEmpty(), "write has ports and a file");
      break;
    case Command::Compare: break;  // its two sides are checked when they are read
    case Command::Report:
      expect(!a.serial.isEmpty(), "report has a serial");
      expect(a.input.isEmpty() != a.ports.isEmpty() && a.ports.size() <= 1,
             "report has one source: a file or one port");
      break;
    case Command::History:
      expect(a.ports.isEmpty() && a.input.isEmpty(), "history reads no controller and no file");
      break;
  }
  expect(!a.noBackup || a.command == Command::Write, "--no-backup belongs to write");
  for (const QString& port : a.ports)
    expect(!port.isEmpty() && !portFileName(port).isEmpty(), "ports name files");
  return 0;
}
