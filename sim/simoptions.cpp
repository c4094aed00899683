#include "simoptions.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace orvex::sim {
namespace {

// "always" or a whole number of times (0 = never).
bool parseCount(const QString& text, int* count) {
  if (text == "always") {
    *count = -1;
    return true;
  }
  bool ok = false;
  const int n = text.toInt(&ok);
  if (!ok || n < 0) return false;
  *count = n;
  return true;
}

bool parseNumber(const QString& text, int min, int max, int* value) {
  bool ok = false;
  const int n = text.toInt(&ok);
  if (!ok || n < min || n > max) return false;
  *value = n;
  return true;
}

// "F[@REG][:CODE]": function F (hex), at register REG only, with exception code CODE.
bool parseRefusal(const QString& text, InstrumentFaults* faults) {
  static const QRegularExpression form(
      QStringLiteral("^([0-9A-Fa-f]{1,2})(?:@(\\d{1,3}))?(?::(\\d{1,3}))?$"));
  const QRegularExpressionMatch match = form.match(text);
  bool ok = match.hasMatch();
  const uint function = match.captured(1).toUInt(nullptr, 16);
  const int address = match.hasCaptured(2) ? match.captured(2).toInt() : -1;
  const int code = match.hasCaptured(3) ? match.captured(3).toInt() : 2;
  ok = ok && function > 0 && function < 0x80 && address < kRegisterCount && code > 0 && code < 256;
  if (!ok) return false;
  faults->refusedFunction = static_cast<quint8>(function);
  faults->refusedRegister = address;
  faults->refusalCode = static_cast<quint8>(code);
  return true;
}

const QList<QCommandLineOption>& optionList() {
  static const QList<QCommandLineOption> options = {
      {"program-dir", "Make the link COM<port> in DIR to the simulator's terminal.", "DIR"},
      {"port", "Port number N of the link COM<N> (default 1).", "N", "1"},
      {"config",
       "Start from this .QVT file (63 lines of numbers). Default: CONFIG/FACTORY.QVT "
       "of the program directory if there is one, else a built-in 230 V/50 Hz set.",
       "FILE"},
      {"dump", "Write the registers as a .QVT file to FILE on SIGUSR1 and on exit.", "FILE"},
      {"baud", "Send replies paced at this speed (default 9600).", "BAUD", "9600"},
      {"burst-ms",
       "Deliver reply bytes in bursts MS apart, as USB adapters do (default 0: "
       "byte by byte).",
       "MS", "0"},
      {"reset-silence-ms", "Stay silent this long after the reset command (default 3000).", "MS",
       "3000"},
      {"no-answer", "Never answer."},
      {"crc-errors", "Damage the CRC of replies: 'always' or the first K.", "K"},
      {"model", "Model code in register 0x002D (default 1).", "CODE", "1"},
      {"wrong-identity", "Send another identity code: 'always' or the first K identity replies.",
       "K"},
      {"ack-without-identity",
       "Acknowledge writes by echoing the request, without the identity code."},
      {"stray-bytes", "Send N noise bytes before every reply.", "N", "0"},
      {"split-gap-ms", "Send every reply in two halves MS apart.", "MS", "0"},
      {"stop-after", "Stop answering after K requests.", "K", "0"},
      {"refuse",
       "Refuse requests of function F (hex) with a Modbus exception reply: at register REG "
       "only if given, with exception CODE (default 2).",
       "F[@REG][:CODE]"},
      {"late-byte",
       "Send the last byte of replies 40 ms after the rest: 'always' or the first K replies.", "K"},
      {"timestamps", "Print 'reply-end BYTES MONOTONIC_NS' when a reply's last byte has left."},
      {"quiet", "Print only errors."},
  };
  return options;
}

}  // namespace

ParseResult parseSimOptions(const QStringList& arguments, SimOptions* o, QString* message) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Simulated ORVEX instrument: answers the configuration tool's Modbus RTU requests "
      "(slave 0x37) on a pseudo-terminal, with optional faults.");
  const QCommandLineOption help = parser.addHelpOption();
  parser.addOptions(optionList());
  if (!parser.parse(arguments)) {
    *message = parser.errorText();
    return ParseResult::Error;
  }
  if (parser.isSet(help)) {
    *message = parser.helpText();
    return ParseResult::Help;
  }
  auto bad = [&](const QString& option) {
    *message = QStringLiteral("Invalid value \"%1\" for --%2.").arg(parser.value(option), option);
    return ParseResult::Error;
  };
  int model = 1, resetMs = 3000, splitMs = 0;
  if (!parseNumber(parser.value("port"), 1, 99, &o->port)) return bad("port");
  if (!parseNumber(parser.value("baud"), 50, 4'000'000, &o->baud)) return bad("baud");
  if (!parseNumber(parser.value("burst-ms"), 0, 1000, &o->burstMs)) return bad("burst-ms");
  if (!parseNumber(parser.value("reset-silence-ms"), 0, 600'000, &resetMs))
    return bad("reset-silence-ms");
  if (!parseNumber(parser.value("model"), 0, 65535, &model)) return bad("model");
  if (!parseNumber(parser.value("stray-bytes"), 0, 1000, &o->faults.strayBytes))
    return bad("stray-bytes");
  if (!parseNumber(parser.value("split-gap-ms"), 0, 60'000, &splitMs)) return bad("split-gap-ms");
  if (!parseNumber(parser.value("stop-after"), 0, 1'000'000, &o->faults.stopAfter))
    return bad("stop-after");
  if (parser.isSet("crc-errors") && !parseCount(parser.value("crc-errors"), &o->faults.crcErrors))
    return bad("crc-errors");
  if (parser.isSet("wrong-identity") &&
      !parseCount(parser.value("wrong-identity"), &o->faults.wrongIdentity))
    return bad("wrong-identity");
  if (parser.isSet("late-byte") && !parseCount(parser.value("late-byte"), &o->faults.lateByte))
    return bad("late-byte");
  if (parser.isSet("refuse") && !parseRefusal(parser.value("refuse"), &o->faults))
    return bad("refuse");
  o->faults.modelCode = static_cast<quint16>(model);
  o->faults.resetSilenceUs = resetMs * 1000LL;
  o->faults.splitGapUs = splitMs * 1000LL;
  o->faults.noAnswer = parser.isSet("no-answer");
  o->faults.writesWithoutIdentity = parser.isSet("ack-without-identity");
  o->programDir = parser.value("program-dir");
  o->configFile = parser.value("config");
  o->dumpFile = parser.value("dump");
  o->quiet = parser.isSet("quiet");
  o->timestamps = parser.isSet("timestamps");
  return ParseResult::Run;
}

}  // namespace orvex::sim
