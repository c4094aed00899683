#pragma once
#include <QString>
#include <QStringList>

#include "sim/instrumentmodel.h"

namespace orvex::sim {

// The simulator's command line.
struct SimOptions {
  QString programDir;  // where the COMn link is made; empty: no link
  int port = 1;
  QString configFile;  // .QVT to start from; empty: CONFIG/FACTORY.QVT or built-in
  QString dumpFile;    // registers written here on SIGUSR1 and on exit
  int baud = 9600;
  int burstMs = 0;  // deliver in bursts this far apart, as USB adapters do
  bool quiet = false;
  bool timestamps = false;  // print the monotonic time at which each reply's last byte left
  InstrumentFaults faults;
};

enum class ParseResult { Run, Help, Error };

// Fills *options from `arguments` (argv[0] first). For Help, *message holds the help text;
// for Error, what is wrong.
ParseResult parseSimOptions(const QStringList& arguments, SimOptions* options, QString* message);

}  // namespace orvex::sim
