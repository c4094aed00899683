#pragma once
#include <QString>
#include <QStringList>

// The command line of orvex-cli: which command, on which controllers and files.
namespace orvex::cli {

enum class Command { Read, Write, Compare, Report, History };

struct Arguments {
  Command command = Command::Read;
  QStringList ports;       // read, write, report: COMn or device paths, in the order given
  QString input;           // write, report: the .QVT file
  QString sideA, sideB;    // compare: a .QVT file or "port:PORT"
  QString output;          // read: FILE.QVT or DIR/; report: DIR (optional)
  QString serial;          // report
  QString customer, site;  // report: optional, kept for the next report
  QString language;        // es, en, fr, de, no; empty: the program directory's conflang.sys
  QString programDir;      // empty: the current folder, or installed, the user's data folder
  QString lineSettings;    // "9600,N,8,1"; empty: the program directory's confcom.sys
  QString logFile;
  bool json = false;
  bool quiet = false;     // only the outcomes, no progress
  bool noBackup = false;  // write: no copy of what the controllers hold is kept first
};

// What the command line asks: arguments to run, help to print, or a usage error.
struct ParsedCommandLine {
  enum class Kind { Run, Help, Error } kind = Kind::Error;
  Arguments arguments;
  QString text;  // the help, or what is wrong
};

// `args` without the program name.
ParsedCommandLine parseCommandLine(const QStringList& args);

// "port:COM2" -> "COM2"; anything else is a file: empty.
QString portOfSide(const QString& side);
// Two ports whose result files would have the same name (also on a file system that does not
// tell case apart), which would overwrite each other: what to tell; empty when none.
QString portsSharingAFileName(const QStringList& ports);
// "COM3" -> 3; 0 for a device named directly.
int comNumber(const QString& port);

}  // namespace orvex::cli
