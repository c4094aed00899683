#include "commands.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/framelogfile.h"
#include "cli/interruptions.h"
#include "cli/progress.h"
#include "common/textfile.h"
#include "config/editormodel.h"
#include "config/editortable.h"
#include "files/qvtformat.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"
#include "lang/writefailure.h"
#include "link/transfers.h"
#include "reports/reportfields.h"
#include "reports/reportfile.h"
#include "reports/reportwriter.h"

namespace orvex::cli {
namespace {

int refuse(const QString& problem) {
  std::fputs((problem + QLatin1Char('\n')).toUtf8().constData(), stderr);
  return kBadUsage;
}

QString message(const Session& s, int n) { return messageText(&s.link.texts, n); }
QString extraText(const Session& s, int n) { return orvex::extraText(&s.link.texts, n); }

// Told on standard error; the run goes on.
void tellWriteFailed(const Session& s, const QString& path, const QString& error) {
  std::fputs((extraText(s, extra::WriteFailed)
                  .arg(QDir::toNativeSeparators(path),
                       writeFailureReason(&s.link.texts, path, error)) +
              '\n')
                 .toUtf8()
                 .constData(),
             stderr);
}

QList<ControllerOutcome> onControllers(const Session& s, const QStringList& ports, int steps,
                                       const ControllerJob& job) {
  ProgressBoard board(ports, s.progressBar, steps);
  FrameLogFile logFile(ports.size() > 1);
  QString error;
  const bool logging = !s.arguments.logFile.isEmpty();
  if (logging && !logFile.open(s.arguments.logFile, &error))
    tellWriteFailed(s, s.arguments.logFile, error);
  return runOnControllers(ports, s.link, job,
                          {board, logging && error.isEmpty() ? &logFile : nullptr,
                           s.interruptions});
}

// Values the editor could not show exactly, in a file or read from a controller.
int refuseUnshown(const Session& s, const QString& where, const QList<int>& unshown) {
  QStringList numbers;
  for (const int slot : unshown) numbers << QString::number(slot);
  return refuse(where + QStringLiteral(": ") +
                extraText(s, extra::OutOfRangePrompt).arg(numbers.join(", ")));
}

// Reads a .QVT file as the editor would show and collect it; false (status 2 told) when it
// cannot be read or holds values the editor has no control for.
bool loadEditedFile(const Session& s, const QString& path, EditorModel* editor, ParameterSet* set) {
  ParameterSet file;
  QString problem;
  if (!readQvtFile(path, &file, &problem, &s.link.texts)) {
    refuse(problem);
    return false;
  }
  const QList<int> unshown = showParameterSet(file, *editor);
  if (!unshown.isEmpty()) {
    refuseUnshown(s, path, unshown);
    return false;
  }
  *set = file;
  collectParameterSet(*editor, set);
  return true;
}

QString lastProblem(const ControllerOutcome& outcome) {
  return outcome.problems.isEmpty() ? QStringLiteral("?") : outcome.problems.last();
}

// One result a controller: a line "PORT: what", or an entry of the JSON list.
class Results {
 public:
  Results(const Session& s, const char* command)
      : json_(s.arguments.json),
        command_(command),
        interruptions_(s.interruptions ? s.interruptions->count() : 0) {}
  void add(const ControllerOutcome& outcome, const QString& said, QJsonObject detail = {}) {
    ok_ = ok_ && outcome.ok;
    lines_ << outcome.port + QStringLiteral(": ") + said;
    detail.insert(QStringLiteral("port"), outcome.port);
    detail.insert(QStringLiteral("ok"), outcome.ok);
    if (!outcome.ok)
      detail.insert(QStringLiteral("problems"), QJsonArray::fromStringList(outcome.problems));
    entries_.append(detail);
  }
  int print(QTextStream& out) const {
    if (json_) {
      const QJsonObject all{{QStringLiteral("command"), QLatin1String(command_)},
                            {QStringLiteral("interrupted"), interruptions_ > 0},
                            {QStringLiteral("controllers"), entries_}};
      out << QJsonDocument(all).toJson(QJsonDocument::Indented);
    } else {
      for (const QString& line : lines_) out << line << '\n';
    }
    return ok_ ? kSuccess : kControllerFailed;
  }

 private:
  bool json_;
  const char* command_;
  int interruptions_;
  bool ok_ = true;
  QStringList lines_;
  QJsonArray entries_;
};

// What a write left in the controller: "written" all, "partial" (up to "slot", which itself
// may or may not be written) or "none"; "verified" only after a read-back matched.
QJsonObject writeDetail(const ControllerOutcome& outcome) {
  QJsonObject detail{{QStringLiteral("verified"), outcome.ok}};
  switch (outcome.outcome) {
    case TransferOutcome::Verified:
    case TransferOutcome::NotVerified: detail.insert(QStringLiteral("written"), "all"); break;
    case TransferOutcome::WriteFailedAtSlot:
      detail.insert(QStringLiteral("written"), "partial");
      detail.insert(QStringLiteral("slot"), outcome.slot);
      break;
    default: detail.insert(QStringLiteral("written"), "none");
  }
  return detail;
}

// FILE.QVT for one port; DIR/<port>.QVT when -o names a folder.
QString readTarget(const Arguments& a, const QString& port) {
  const bool folder =
      a.output.endsWith('/') || a.output.endsWith('\\') || QFileInfo(a.output).isDir();
  if (!folder) return a.output;
  return QDir(a.output).filePath(portFileName(port) + QStringLiteral(".QVT"));
}

// The folder the results go to, made when missing; false after telling why it cannot be.
bool makeFolder(const Session& s, const QString& folder) {
  if (QDir().mkpath(folder)) return true;
  const QString systemText = QString::fromLocal8Bit(std::strerror(errno));
  refuse(extraText(s, extra::WriteFailed)
             .arg(QDir::toNativeSeparators(folder),
                  writeFailureReason(&s.link.texts, QDir(folder).filePath("."), systemText)));
  return false;
}

}  // namespace

int runRead(const Session& s, QTextStream& out) {
  const Arguments& a = s.arguments;
  // A folder that cannot be made is found before any controller is read, not after.
  if (!makeFolder(s, QFileInfo(readTarget(a, a.ports.value(0))).absolutePath())) return kBadUsage;
  QList<ControllerOutcome> outcomes = onControllers(s, a.ports, InstrumentTransfers::kReadSteps,
                                                    [](InstrumentTransfers& t, ParameterSet* set) {
                                                      return t.readConfiguration(set);
                                                    });
  Results results(s, "read");
  for (ControllerOutcome& outcome : outcomes) {
    const QString file = readTarget(a, outcome.port);
    QString error;
    if (outcome.ok && !writeQvtFile(file, outcome.set, &error)) {
      outcome.ok = false;
      outcome.problems << extraText(s, extra::WriteFailed)
                              .arg(QDir::toNativeSeparators(file),
                                   writeFailureReason(&s.link.texts, file, error));
    }
    const QString said =
        outcome.ok ? message(s, 33) + QStringLiteral(" -> ") + QDir::toNativeSeparators(file)
                   : lastProblem(outcome);
    results.add(outcome, said,
                outcome.ok ? QJsonObject{{QStringLiteral("file"), file}} : QJsonObject{});
  }
  return results.print(out);
}

int runWrite(const Session& s, QTextStream& out) {
  EditorModel editor;
  ParameterSet edited;
  if (!loadEditedFile(s, s.arguments.input, &editor, &edited)) return kBadUsage;
  const QList<ControllerOutcome> outcomes =
      onControllers(s, s.arguments.ports, InstrumentTransfers::kWriteSteps,
                    [edited](InstrumentTransfers& t, ParameterSet* readBack) {
                      return t.writeConfiguration(edited, readBack);
                    });
  Results results(s, "write");
  for (const ControllerOutcome& outcome : outcomes)
    results.add(outcome, outcome.ok ? message(s, 27) : lastProblem(outcome), writeDetail(outcome));
  return results.print(out);
}

namespace {

// The values a report records: the .QVT file, or the controller read now. The exit status
// when they cannot be had (told on standard error).
int reportValues(const Session& s, ValuesOrigin* source) {
  const Arguments& a = s.arguments;
  if (a.ports.isEmpty()) {
    QString problem;
    if (!readQvtFile(a.input, &source->set, &problem, &s.link.texts)) return refuse(problem);
    *source = {ValuesOrigin::Kind::File, QFileInfo(a.input).fileName(), {}, source->set};
    return kSuccess;
  }
  const QList<ControllerOutcome> outcomes =
      onControllers(s, a.ports, InstrumentTransfers::kReadSteps,
                    [](InstrumentTransfers& t, ParameterSet* set) {
                      return t.readConfiguration(set);
                    });
  const ControllerOutcome& read = outcomes.value(0);
  if (!read.ok) {
    refuse(read.port + QStringLiteral(": ") + lastProblem(read));
    return kControllerFailed;
  }
  *source = {ValuesOrigin::Kind::Controller, read.port, QDateTime::currentDateTime(), read.set};
  return kSuccess;
}

// --customer and --site, else the ones kept from the last report.
ReportFields reportFields(const Session& s) {
  ReportFields fields = readReportFields(s.link.programDir);
  if (!s.arguments.customer.isEmpty()) fields.customer = s.arguments.customer;
  if (!s.arguments.site.isEmpty()) fields.site = s.arguments.site;
  return fields;
}

}  // namespace

int runReport(const Session& s, QTextStream& out) {
  const Arguments& a = s.arguments;
  const ReportFields fields = reportFields(s);
  if (const QString bad = unstorableReportCharacters(fields); !bad.isEmpty())
    return refuse(extraText(s, extra::NotStorable).arg(fields.customer + ' ' + fields.site, bad));
  const QString dir = s.link.programDir;
  if (!a.output.isEmpty() && !makeFolder(s, a.output)) return kBadUsage;
  ValuesOrigin source;
  if (const int status = reportValues(s, &source); status != kSuccess) return status;
  QList<int> unshown;
  ReportInput input = editorReportInput(source.set, &unshown);
  if (!unshown.isEmpty()) {
    refuseUnshown(s, a.ports.isEmpty() ? a.input : a.ports[0], unshown);
    return a.ports.isEmpty() ? kBadUsage : kControllerFailed;
  }
  input.texts = s.link.texts.report;
  input.serialNumber = a.serial;
  const ReportPaths paths = reportPaths(dir, a.serial, a.output);
  const WrittenReport report =
      writeReport(paths, input, s.link.texts, reportHeader(source, fields.customer, fields.site));
  if (report.result == WrittenReport::Result::NameRefused) return refuse(report.message);
  if (!report.written()) {
    refuse(report.message);
    return kFileNotWritten;
  }
  QString error;
  if (!keepReportFields(dir, fields, &error))
    refuse(extraText(s, extra::WriteFailed)
               .arg(QDir::toNativeSeparators(dir + kReportFieldsFile), error));
  if (a.json)
    out << QJsonDocument(QJsonObject{{QStringLiteral("command"), QStringLiteral("report")},
                                     {QStringLiteral("data"), paths.data},
                                     {QStringLiteral("document"), paths.document}})
               .toJson(QJsonDocument::Indented);
  else
    out << extraText(s, extra::ReportBothWritten)
               .arg(QDir::toNativeSeparators(paths.data), QDir::toNativeSeparators(paths.document))
        << '\n';
  return kSuccess;
}

int runCommand(const Session& s, QTextStream& out) {
  switch (s.arguments.command) {
    case Command::Read: return runRead(s, out);
    case Command::Write: return runWrite(s, out);
    case Command::Compare: return runCompare(s, out);
    case Command::Report: return runReport(s, out);
  }
  return kBadUsage;
}

}  // namespace orvex::cli
