#include "cliarguments.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <utility>

#include "files/filename.h"

namespace orvex::cli {
namespace {

const char kGeneralHelp[] =
    "orvex-cli: read, write, compare and report ORVEX controller configurations.\n"
    "\n"
    "  orvex-cli read    --port PORT[,PORT...] -o FILE.QVT|DIR/\n"
    "  orvex-cli write   FILE.QVT --port PORT[,PORT...]\n"
    "  orvex-cli compare A B          A, B: a .QVT file or port:PORT\n"
    "  orvex-cli report  FILE.QVT|--port PORT --serial S [--lang es|en|fr|de|no] [-o DIR]\n"
    "  orvex-cli history                the writes made, newest first\n"
    "\n"
    "PORT is COMn (as the windowed program resolves it in the program directory) or a\n"
    "device path such as /dev/ttyUSB0. Several ports are handled at the same time.\n"
    "\n"
    "Options of every command:\n"
    "  --dir DIR          program directory (textos.sys, conflang.sys, confcom.sys, COMn\n"
    "                     links); default the current folder, or for an installed\n"
    "                     orvex-cli the user's data folder (~/.local/share/orvex,\n"
    "                     on Windows %APPDATA%\\orvex)\n"
    "  --lang LANG        language of the messages: es, en, fr, de or no; default the\n"
    "                     program directory's conflang.sys\n"
    "  --settings S       line settings such as 9600,N,8,1; default confcom.sys's\n"
    "  --log FILE         every frame sent and received, with times and verdicts\n"
    "  --json             results as JSON on standard output, also when it fails\n"
    "  --quiet            no progress: only the outcomes\n"
    "  -h, --help         this help, or a command's with 'orvex-cli COMMAND --help'\n"
    "  --version          the program's version\n"
    "\n"
    "--port may be given again to add ports; any other option only once.\n"
    "Progress goes to standard error, results to standard output. Every file a command\n"
    "writes is checked before the first controller is touched.\n"
    "Exit status of read, write, report: 0 success, 1 a controller or an output failed,\n"
    "2 bad usage or a bad input file (nothing was done). compare: 0 the same, 1 they\n"
    "differ, 2 trouble (bad usage, a bad file, a controller that could not be read).\n";

const char kReadHelp[] =
    "orvex-cli read --port PORT[,PORT...] -o FILE.QVT|DIR/ [options]\n"
    "\n"
    "Reads each controller's configuration, with the model and identity checks of the\n"
    "windowed program, and saves it as a .QVT file: FILE.QVT for one port, DIR/<port>.QVT\n"
    "for each of several. A controller that fails leaves no file; the others go on.\n";

const char kWriteHelp[] =
    "orvex-cli write FILE.QVT --port PORT[,PORT...] [options]\n"
    "\n"
    "Writes the configuration the editor would write after loading FILE.QVT (slots 46 and\n"
    "47 as 0, slot 45 never written) into each controller, resets it and reads it back:\n"
    "'verified' only when the read-back matches every slot. A file the editor could not\n"
    "show exactly is refused (exit status 2), naming the slots.\n"
    "\n"
    "Before its first register, each write reads the controller and keeps what it holds\n"
    "in the program directory's History folder (History/DATE-TIME-PORT-before.QVT); when\n"
    "that copy cannot be read or kept, nothing is written to that controller. Every write\n"
    "is added to History/history.csv ('orvex-cli history' lists it).\n"
    "  --no-backup        write without reading and keeping the copy first\n";

const char kCompareHelp[] =
    "orvex-cli compare A B [options]\n"
    "\n"
    "Lists the settings that differ between A and B, each a .QVT file or port:PORT (read\n"
    "from that controller), in the editor's words. Slots 45 to 47 are not compared.\n"
    "Exit status 0 when nothing differs, 1 when something does, 2 on trouble (bad usage,\n"
    "a bad file, a controller that could not be read).\n";

const char kHistoryHelp[] =
    "orvex-cli history [--json] [options]\n"
    "\n"
    "Lists the writes to controllers made from this program directory (by orvex-cli write\n"
    "and the windowed program's 'Graba QVT'), newest first: when, the port, what was\n"
    "written, how it ended, the copy of what the controller held before, and how many\n"
    "settings changed. Load a copy with 'orvex-cli write History/...-before.QVT' to put\n"
    "it back. The oldest of more than 1000 writes are removed, never a port's last copy.\n";

const char kReportHelp[] =
    "orvex-cli report FILE.QVT|--port PORT --serial S [--lang LANG] [-o DIR]\n"
    "                 [--customer C] [--site W] [options]\n"
    "\n"
    "Writes the report of FILE.QVT, or of the controller on PORT read now, for the\n"
    "controller with serial number S: the data file S.txt and the printable S.pdf (PDF/A),\n"
    "in DIR, or else in the program directory's Report/Txt and Report/Doc. The document\n"
    "names where its values came from. --customer and --site are printed on it and kept\n"
    "for the next report (the windowed program's too); without them, the kept ones.\n";

const QStringList kValueOptions = {"--port", "-o",         "--output", "--serial",   "--lang",
                                   "--dir",  "--settings", "--log",    "--customer", "--site"};
const QStringList kLanguages = {"es", "en", "fr", "de", "no"};

ParsedCommandLine error(const QString& text) {
  return {ParsedCommandLine::Kind::Error, {}, text + QStringLiteral("\nSee 'orvex-cli --help'.\n")};
}

ParsedCommandLine help(const char* text) {
  return {ParsedCommandLine::Kind::Help, {}, QString::fromUtf8(text)};
}

const char* commandHelp(Command command) {
  switch (command) {
    case Command::Read: return kReadHelp;
    case Command::Write: return kWriteHelp;
    case Command::Compare: return kCompareHelp;
    case Command::Report: return kReportHelp;
    case Command::History: return kHistoryHelp;
  }
  return kGeneralHelp;
}

bool commandNamed(const QString& name, Command* command) {
  static const QList<std::pair<QString, Command>> names = {{"read", Command::Read},
                                                           {"write", Command::Write},
                                                           {"compare", Command::Compare},
                                                           {"report", Command::Report},
                                                           {"history", Command::History}};
  for (const auto& [word, value] : names)
    if (name == word) {
      *command = value;
      return true;
    }
  return false;
}

// Options and positionals of a command; false with *problem on an unknown option or one
// that lacks its value.
struct Tokens {
  QHash<QString, QString> values;
  QStringList positionals;
  bool json = false;
  bool quiet = false;
  bool noBackup = false;
  bool help = false;
};

// --port given again adds its ports; any other option given twice would leave a script's
// author guessing which one counts.
bool addValue(Tokens* tokens, const QString& name, const QString& value, QString* problem) {
  const auto known = tokens->values.constFind(name);
  if (known == tokens->values.cend()) {
    tokens->values.insert(name, value);
    return true;
  }
  if (name != QLatin1String("--port")) {
    *problem = QStringLiteral("The option %1 is given twice.").arg(name);
    return false;
  }
  tokens->values[name] = *known + QLatin1Char(',') + value;
  return true;
}

bool splitTokens(const QStringList& args, Tokens* tokens, QString* problem) {
  for (qsizetype i = 0; i < args.size(); ++i) {
    QString name = args[i];
    QString value;
    const bool inlineValue = name.startsWith(QLatin1String("--")) && name.contains('=');
    if (inlineValue)
      std::tie(name, value) = std::pair(name.section('=', 0, 0), name.section('=', 1));
    if (name == QLatin1String("--json") || name == QLatin1String("--quiet") ||
        name == QLatin1String("--no-backup")) {
      bool& flag = name == QLatin1String("--json")    ? tokens->json
                   : name == QLatin1String("--quiet") ? tokens->quiet
                                                      : tokens->noBackup;
      if (std::exchange(flag, true)) {
        *problem = QStringLiteral("The option %1 is given twice.").arg(name);
        return false;
      }
    } else if (name == QLatin1String("-h") || name == QLatin1String("--help")) tokens->help = true;
    else if (kValueOptions.contains(name)) {
      if (!inlineValue && ++i < args.size()) value = args[i];
      if (value.trimmed().isEmpty()) {
        *problem = QStringLiteral("The option %1 needs a value.").arg(name);
        return false;
      }
      if (!addValue(tokens, name == QLatin1String("--output") ? QStringLiteral("-o") : name, value,
                    problem))
        return false;
    } else if (name.startsWith('-') && name.size() > 1) {
      *problem = QStringLiteral("Unknown option %1.").arg(name);
      return false;
    } else if (args[i].trimmed().isEmpty()) {
      *problem = QStringLiteral("An empty word stands where a file or side belongs.");
      return false;
    } else {
      tokens->positionals << args[i];
    }
  }
  return true;
}

QStringList portList(const QString& text) {
  QStringList ports;
  // A blank between commas (a stray space or CR from a script) names no port.
  for (const QString& port : text.split(',')) {
    if (!port.trimmed().isEmpty()) ports << port.trimmed();
  }
  return ports;
}

bool isDirectoryOutput(const QString& output) {
  return output.endsWith('/') || output.endsWith('\\') || QFileInfo(output).isDir();
}

// What each command needs besides the common options; empty when all is there.
QString checkCommand(Arguments* a, const Tokens& t) {
  const auto needs = [&t](const char* option) { return !t.values.contains(QLatin1String(option)); };
  if (t.noBackup && a->command != Command::Write)
    return QStringLiteral("--no-backup is an option of write.");
  switch (a->command) {
    case Command::Read:
      if (!t.positionals.isEmpty()) return QStringLiteral("read takes no file; did you mean -o?");
      if (needs("--port") || a->ports.isEmpty()) return QStringLiteral("read needs --port.");
      if (needs("-o")) return QStringLiteral("read needs -o FILE.QVT or -o DIR/.");
      if (a->ports.size() > 1 && !isDirectoryOutput(a->output))
        return QStringLiteral("With several ports, -o must name a folder (DIR/).");
      return {};
    case Command::Write:
      if (t.positionals.size() != 1) return QStringLiteral("write takes one .QVT file.");
      if (needs("--port") || a->ports.isEmpty()) return QStringLiteral("write needs --port.");
      a->input = t.positionals[0];
      return {};
    case Command::Compare:
      if (t.positionals.size() != 2) return QStringLiteral("compare takes two sides, A and B.");
      a->sideA = t.positionals[0];
      a->sideB = t.positionals[1];
      return {};
    case Command::Report:
      if (needs("--serial") || a->serial.isEmpty()) return QStringLiteral("report needs --serial.");
      if (a->ports.size() > 1) return QStringLiteral("report reads one controller: one --port.");
      if (t.positionals.size() + a->ports.size() != 1)
        return QStringLiteral("report takes one .QVT file or one --port.");
      a->input = t.positionals.value(0);
      return {};
    case Command::History:
      if (!t.positionals.isEmpty() || !a->ports.isEmpty())
        return QStringLiteral("history takes no file and no port.");
      return {};
  }
  return {};
}

}  // namespace

ParsedCommandLine parseCommandLine(const QStringList& args) {
  if (args.isEmpty() || args[0] == QLatin1String("-h") || args[0] == QLatin1String("--help"))
    return help(kGeneralHelp);
  if (args[0] == QLatin1String("--version"))
    return {ParsedCommandLine::Kind::Help, {}, QStringLiteral("orvex-cli " ORVEX_VERSION "\n")};
  Arguments a;
  if (!commandNamed(args[0], &a.command))
    return error(QStringLiteral("Unknown command '%1'.").arg(args[0]));
  Tokens t;
  QString problem;
  if (!splitTokens(args.mid(1), &t, &problem)) return error(problem);
  if (t.help) return help(commandHelp(a.command));
  a.ports = portList(t.values.value("--port"));
  a.output = t.values.value("-o");
  a.serial = t.values.value("--serial");
  a.customer = t.values.value("--customer");
  a.site = t.values.value("--site");
  a.language = t.values.value("--lang");
  a.programDir = t.values.value("--dir");
  a.lineSettings = t.values.value("--settings");
  a.logFile = t.values.value("--log");
  a.json = t.json;
  a.quiet = t.quiet;
  a.noBackup = t.noBackup;
  if (!a.language.isEmpty() && !kLanguages.contains(a.language))
    return error(QStringLiteral("--lang takes es, en, fr, de or no, not '%1'.").arg(a.language));
  if (a.ports.removeDuplicates() > 0) return error(QStringLiteral("A port is named twice."));
  problem = checkCommand(&a, t);
  if (!problem.isEmpty()) return error(problem);
  return {ParsedCommandLine::Kind::Run, a, {}};
}

QString portOfSide(const QString& side) {
  return side.startsWith(QLatin1String("port:")) ? side.mid(5) : QString();
}

QString portsSharingAFileName(const QStringList& ports) {
  QHash<QString, QString> portOfName;
  for (const QString& port : ports) {
    const QString name = portFileName(port).toLower();
    if (portOfName.contains(name))
      return QStringLiteral("The ports %1 and %2 would give files of the same name (%3).")
          .arg(portOfName[name], port, portFileName(port));
    portOfName.insert(name, port);
  }
  return {};
}

int comNumber(const QString& port) {
  static const QRegularExpression com(QStringLiteral("^COM([1-9][0-9]?)$"),
                                      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = com.match(port);
  return match.hasMatch() ? match.captured(1).toInt() : 0;
}

}  // namespace orvex::cli
