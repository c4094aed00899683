#include "results.h"

#include <QJsonDocument>

#include <cstdio>

#include "cli/interruptions.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"

namespace orvex::cli {
namespace {

void tell(const QString& text) {
  std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stderr);
  std::fflush(stderr);
}

}  // namespace

Results::Results(const Session& s, const char* command, int controllerFailure)
    : session_(s),
      command_(command),
      write_(qstrcmp(command, "write") == 0),
      controllerFailure_(controllerFailure) {}

void Results::add(const ControllerOutcome& outcome, const QString& said, QJsonObject detail) {
  const OutcomeSummary summary = summarize(outcome, session_.link.texts, write_);
  QString text = said;
  if (summary.word != QLatin1String("ok")) {
    atLeast(controllerFailure_);
    // A failed write says whether the controller still holds what it held (another model's
    // message and an interruption's say so themselves).
    if (write_ && summary.written == Written::None &&
        summary.word != QLatin1String("wrong-model") &&
        summary.word != QLatin1String("interrupted"))
      text += QLatin1Char(' ') + extraText(&session_.link.texts, extra::CliNothingWritten);
  }
  lines_ << outcome.port + QStringLiteral(": ") + text;
  const QJsonObject entry = outcomeJson(outcome, summary);
  for (auto field = entry.begin(); field != entry.end(); ++field)
    detail.insert(field.key(), field.value());
  controllers_.append(detail);
}

int Results::refuse(const QString& problem, int status) {
  tell(problem);
  problems_ << problem;
  atLeast(status);
  return status;
}

int Results::print(QTextStream& out) const {
  if (!session_.arguments.json) {
    for (const QString& text : lines_) out << text << '\n';
    out.flush();
    return status_;
  }
  QJsonObject document = fields_;
  document.insert(QStringLiteral("command"), QLatin1String(command_));
  const bool interrupted = session_.interruptions && session_.interruptions->count() > 0;
  document.insert(QStringLiteral("exit"), interrupted ? kInterrupted : status_);
  document.insert(QStringLiteral("interrupted"), interrupted);
  document.insert(QStringLiteral("controllers"), controllers_);
  document.insert(QStringLiteral("problems"), QJsonArray::fromStringList(problems_));
  out << QJsonDocument(document).toJson(QJsonDocument::Indented);
  out.flush();
  return status_;
}

int printRefusal(QTextStream& out, bool json, const QString& problem) {
  tell(problem.trimmed());
  if (json) {
    const QJsonObject document{{QStringLiteral("exit"), kBadUsage},
                               {QStringLiteral("controllers"), QJsonArray()},
                               {QStringLiteral("problems"), QJsonArray{problem.trimmed()}}};
    out << QJsonDocument(document).toJson(QJsonDocument::Indented);
    out.flush();
  }
  return kBadUsage;
}

}  // namespace orvex::cli
