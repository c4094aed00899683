#include "commands.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonObject>

#include <map>

#include "cli/framelogfile.h"
#include "cli/outputs.h"
#include "cli/progress.h"
#include "cli/results.h"
#include "common/textfile.h"
#include "config/editormodel.h"
#include "config/editortable.h"
#include "files/filename.h"
#include "files/qvtformat.h"
#include "history/copiedwrite.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"
#include "lang/writefailure.h"
#include "link/transfers.h"
#include "reports/reportfields.h"
#include "reports/reportfile.h"
#include "reports/reportwriter.h"

namespace orvex::cli {
namespace {

QString message(const Session& s, int n) { return messageText(&s.link.texts, n); }
QString extraText(const Session& s, int n) { return orvex::extraText(&s.link.texts, n); }

QString writeFailed(const Session& s, const QString& path, const QString& error) {
  return extraText(s, extra::WriteFailed)
      .arg(QDir::toNativeSeparators(path), writeFailureReason(&s.link.texts, path, error));
}

// --log FILE, written as the run goes: whether all of it reached the file.
void tellFrameLog(const Session& s, FrameLogFile& log, Results& results) {
  const QString& path = s.arguments.logFile;
  QString error;
  const bool written = log.whole(&error);
  results.set(QStringLiteral("log"),
              QJsonObject{{QStringLiteral("file"), path}, {QStringLiteral("written"), written}});
  if (!written) results.refuse(writeFailed(s, path, error), kFileNotWritten);
}

// The log and the command's own results, checked before any controller is touched; false
// when one cannot be written (told in `results`).
bool checkOutputs(const Session& s, const QStringList& files, OutputCheck* outputs,
                  Results& results) {
  QStringList all = files;
  if (!s.arguments.logFile.isEmpty()) all << s.arguments.logFile;
  for (const QString& file : std::as_const(all))
    if (!outputs->file(file)) {
      results.refuse(outputs->problem());
      return false;
    }
  return true;
}

// Ports that would share a device are refused before any is opened.
bool checkPorts(const Session& s, const QStringList& ports, Results& results) {
  const QString problem = portsSharingADevice(ports, s.link.programDir);
  if (!problem.isEmpty()) results.refuse(problem);
  return problem.isEmpty();
}

QList<ControllerOutcome> onControllers(const Session& s, const QStringList& ports,
                                       TransferKind kind, const ControllerJob& job,
                                       Results& results) {
  ProgressBoard board(ports, s.progress, kind, &s.link.texts);
  if (s.arguments.logFile.isEmpty())
    return runOnControllers(ports, s.link, job, {board, nullptr, s.interruptions});
  FrameLogFile log(ports.size() > 1);
  QString error;
  if (!log.open(s.arguments.logFile, &error)) {  // checked writable before, yet gone since
    results.refuse(writeFailed(s, s.arguments.logFile, error), kFileNotWritten);
    return runOnControllers(ports, s.link, job, {board, nullptr, s.interruptions});
  }
  QList<ControllerOutcome> outcomes =
      runOnControllers(ports, s.link, job, {board, &log, s.interruptions});
  tellFrameLog(s, log, results);
  return outcomes;
}

bool readJob(InstrumentTransfers& t, ControllerOutcome* out) {
  return t.readConfiguration(&out->set);
}

// Values the editor could not show exactly, in a file or read from a controller.
QString unshownProblem(const Session& s, const QString& where, const QList<int>& unshown) {
  QStringList numbers;
  for (const int slot : unshown) numbers << QString::number(slot);
  return where + QStringLiteral(": ") +
         extraText(s, extra::OutOfRangePrompt).arg(numbers.join(QStringLiteral(", ")));
}

// Reads a .QVT file as the editor would show and collect it; false (told) when it cannot be
// read or holds values the editor has no control for.
bool loadEditedFile(const Session& s, const QString& path, ParameterSet* set, Results& results) {
  EditorModel editor;
  ParameterSet file;
  QString problem;
  if (!readQvtFile(path, &file, &problem, &s.link.texts)) {
    results.refuse(problem);
    return false;
  }
  const QList<int> unshown = showParameterSet(file, editor);
  if (!unshown.isEmpty()) {
    results.refuse(unshownProblem(s, path, unshown));
    return false;
  }
  *set = file;
  collectParameterSet(editor, set);
  return true;
}

QString lastProblem(const ControllerOutcome& outcome) {
  return outcome.problems.isEmpty() ? QStringLiteral("?") : outcome.problems.last();
}

// FILE.QVT for one port; DIR/<port>.QVT when -o names a folder.
QString readTarget(const Arguments& a, const QString& port) {
  const bool folder =
      a.output.endsWith('/') || a.output.endsWith('\\') || QFileInfo(a.output).isDir();
  if (!folder) return a.output;
  return QDir(a.output).filePath(portFileName(port) + QStringLiteral(".QVT"));
}

void readIntoFiles(const Session& s, Results& results) {
  const Arguments& a = s.arguments;
  QStringList targets;
  for (const QString& port : a.ports) targets << readTarget(a, port);
  OutputCheck outputs(s.link.texts);
  if (!checkPorts(s, a.ports, results)) return;
  if (const QString clash = portsSharingAFileName(a.ports); !clash.isEmpty()) {
    results.refuse(clash);
    return;
  }
  if (!checkOutputs(s, targets, &outputs, results)) return;
  QList<ControllerOutcome> outcomes =
      onControllers(s, a.ports, TransferKind::Read, readJob, results);
  for (ControllerOutcome& outcome : outcomes) {
    const QString file = readTarget(a, outcome.port);
    QString error;
    if (outcome.ok && !writeQvtFile(file, outcome.set, &error)) {
      outcome.ok = false;
      outcome.outputProblem = writeFailed(s, file, error);
      outcome.problems << outcome.outputProblem;
    }
    const QString said =
        outcome.ok ? message(s, 33) + QStringLiteral(" -> ") + QDir::toNativeSeparators(file)
                   : lastProblem(outcome);
    results.add(outcome, said,
                outcome.ok ? QJsonObject{{QStringLiteral("file"), file}} : QJsonObject{});
  }
}

// Reads what the controller holds and keeps it in History; false (told in *out) when it could
// not be read or kept: then nothing may be written.
bool keepCopy(const Session& s, InstrumentTransfers& t, CopiedWrite& copy, ControllerOutcome* out) {
  ParameterSet held;
  QString why = extraText(s, extra::CopyNotRead);
  if (t.readConfiguration(&held)) {
    QString error;
    if (copy.keepBefore(held, &error)) {
      out->before = copy.entry().before;
      return true;
    }
    why = copyNotKeptReason(&s.link.texts, s.link.programDir, error);
    out->outputProblem = writeFailed(s, historyPath(s.link.programDir), error);
  }
  if (!t.log().isEmpty() && t.log().last().outcome == TransferOutcome::Cancelled)
    return false;  // interrupted: the outcome says so
  out->problems << extraText(s, extra::CopyNotKept).arg(why) + QLatin1Char(' ') +
                       extraText(s, extra::CliWithoutCopy);
  return false;
}

// The write's line in history.csv, after all controllers ended; a history that cannot be
// written is a failed output of the command.
void recordWrite(const Session& s, CopiedWrite& copy, const ControllerOutcome& outcome,
                 Results& results) {
  const TransferRecord& record = outcome.record;
  const bool written = record.title == QLatin1String("write");
  QString file;
  QString error;
  if (!copy.record(deviceOfPort(outcome.port, s.link.programDir),
                   written ? record.outcome : TransferOutcome::WriteFailedUnchanged, record.slot,
                   &file, &error))
    results.refuse(writeFailed(s, file, error), kFileNotWritten);
}

QString writeSaid(const Session& s, const ControllerOutcome& outcome) {
  QString said = outcome.ok ? message(s, 27) : lastProblem(outcome);
  if (!outcome.before.isEmpty())
    said += QLatin1Char(' ') +
            extraText(s, extra::CliCopyKept).arg(QDir::toNativeSeparators(outcome.before));
  return said;
}

void writeIntoControllers(const Session& s, Results& results) {
  ParameterSet edited;
  OutputCheck outputs(s.link.texts);
  const Arguments& a = s.arguments;
  if (!loadEditedFile(s, a.input, &edited, results) || !checkPorts(s, a.ports, results) ||
      !checkOutputs(s, {}, &outputs, results))
    return;
  std::map<QString, CopiedWrite> copies;  // each controller's thread uses its own
  for (const QString& port : a.ports)
    copies.emplace(port, CopiedWrite(s.link.programDir, port, a.input, edited));
  const QList<ControllerOutcome> outcomes = onControllers(
      s, a.ports, a.noBackup ? TransferKind::Write : TransferKind::CopiedWrite,
      [&s, &copies, edited](InstrumentTransfers& t, ControllerOutcome* out) {
        CopiedWrite& copy = copies.at(out->port);
        if (!s.arguments.noBackup && !keepCopy(s, t, copy, out)) return false;
        return t.writeConfiguration(edited, &out->set);
      },
      results);
  for (const ControllerOutcome& outcome : outcomes) {
    const QJsonValue before = outcome.before.isEmpty() ? QJsonValue() : outcome.before;
    results.add(outcome, writeSaid(s, outcome), {{QStringLiteral("before"), before}});
    recordWrite(s, copies.at(outcome.port), outcome, results);
  }
}

// The values a report records: the .QVT file, or the controller read now. False (told) when
// they cannot be had.
bool reportValues(const Session& s, ValuesOrigin* source, Results& results) {
  const Arguments& a = s.arguments;
  if (a.ports.isEmpty()) {
    QString problem;
    if (!readQvtFile(a.input, &source->set, &problem, &s.link.texts)) {
      results.refuse(problem);
      return false;
    }
    *source = {ValuesOrigin::Kind::File, QFileInfo(a.input).fileName(), {}, source->set};
    return true;
  }
  const QList<ControllerOutcome> outcomes =
      onControllers(s, a.ports, TransferKind::Read, readJob, results);
  const ControllerOutcome& read = outcomes.value(0);
  results.add(read, read.ok ? message(s, 33) : lastProblem(read));
  if (!read.ok) return false;
  *source = {ValuesOrigin::Kind::Controller, read.port, QDateTime::currentDateTime(), read.set};
  return true;
}

// --customer and --site, else the ones kept from the last report.
ReportFields reportFields(const Session& s) {
  ReportFields fields = readReportFields(s.link.programDir);
  if (!s.arguments.customer.isEmpty()) fields.customer = s.arguments.customer;
  if (!s.arguments.site.isEmpty()) fields.site = s.arguments.site;
  return fields;
}

// Everything a report needs that can be checked before a controller is read.
bool checkReport(const Session& s, const ReportFields& fields, const ReportPaths& paths,
                 OutputCheck* outputs, Results& results) {
  if (const QString bad = unstorableReportCharacters(fields); !bad.isEmpty()) {
    results.refuse(extraText(s, extra::NotStorable).arg(fields.customer + ' ' + fields.site, bad));
    return false;
  }
  if (const NameProblem name = checkStorableName(s.arguments.serial, &s.link.texts); !name.ok()) {
    results.refuse(name.prompt);
    return false;
  }
  return checkPorts(s, s.arguments.ports, results) &&
         checkOutputs(s, {paths.data, paths.document}, outputs, results);
}

void writeReportFiles(const Session& s, Results& results) {
  const Arguments& a = s.arguments;
  const ReportFields fields = reportFields(s);
  const QString dir = s.link.programDir;
  const ReportPaths paths = reportPaths(dir, a.serial, a.output);
  OutputCheck outputs(s.link.texts);
  if (!checkReport(s, fields, paths, &outputs, results)) return;
  ValuesOrigin source;
  if (!reportValues(s, &source, results)) return;
  QList<int> unshown;
  ReportInput input = editorReportInput(source.set, &unshown);
  if (!unshown.isEmpty()) {
    results.refuse(unshownProblem(s, a.ports.isEmpty() ? a.input : a.ports[0], unshown),
                   a.ports.isEmpty() ? kBadUsage : kControllerFailed);
    return;
  }
  input.texts = s.link.texts.report;
  input.serialNumber = a.serial;
  const WrittenReport report =
      writeReport(paths, input, s.link.texts, reportHeader(source, fields.customer, fields.site));
  if (!report.written()) {
    results.refuse(report.message, report.result == WrittenReport::Result::NameRefused
                                       ? kBadUsage
                                       : kFileNotWritten);
    return;
  }
  results.set(QStringLiteral("data"), paths.data);
  results.set(QStringLiteral("document"), paths.document);
  results.line(
      extraText(s, extra::ReportBothWritten)
          .arg(QDir::toNativeSeparators(paths.data), QDir::toNativeSeparators(paths.document)));
  QString error;
  if (!keepReportFields(dir, fields, &error))
    results.refuse(writeFailed(s, dir + QLatin1String(kReportFieldsFile), error), kFileNotWritten);
}

}  // namespace

QList<ControllerOutcome> readControllers(const Session& s, const QStringList& ports,
                                         Results& results) {
  return onControllers(s, ports, TransferKind::Read, readJob, results);
}

int runRead(const Session& s, QTextStream& out) {
  Results results(s, "read");
  readIntoFiles(s, results);
  return results.print(out);
}

int runWrite(const Session& s, QTextStream& out) {
  Results results(s, "write");
  writeIntoControllers(s, results);
  return results.print(out);
}

int runReport(const Session& s, QTextStream& out) {
  Results results(s, "report");
  writeReportFiles(s, results);
  return results.print(out);
}

int runCommand(const Session& s, QTextStream& out) {
  switch (s.arguments.command) {
    case Command::Read: return runRead(s, out);
    case Command::Write: return runWrite(s, out);
    case Command::Compare: return runCompare(s, out);
    case Command::Report: return runReport(s, out);
    case Command::History: return runHistory(s, out);
  }
  return kBadUsage;
}

}  // namespace orvex::cli
