#pragma once
#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>
#include <QTextStream>

#include <algorithm>

#include "cli/outcome.h"
#include "cli/session.h"

// What a command prints once it ends, whichever way: one line per controller (text), or one
// JSON document (--json), also when the command was refused or nothing could be done.
namespace orvex::cli {

class Results {
 public:
  // `controllerFailure`: the exit status a failed controller gives (compare: 2, trouble).
  Results(const Session& s, const char* command, int controllerFailure = kControllerFailed);

  // A controller's outcome, with the words of `said` on its line and `detail` in its entry.
  void add(const ControllerOutcome& outcome, const QString& said, QJsonObject detail = {});
  // A problem that is no controller's, told on standard error at once; returns `status`.
  int refuse(const QString& problem, int status = kBadUsage);
  void set(const QString& key, const QJsonValue& value) { fields_.insert(key, value); }
  void line(const QString& text) { lines_ << text; }
  void atLeast(int status) { status_ = std::max(status_, status); }
  bool failed() const { return status_ != kSuccess; }
  // Prints everything; the exit status.
  int print(QTextStream& out) const;

 private:
  const Session& session_;
  const char* command_;
  bool write_;
  int controllerFailure_;
  int status_ = kSuccess;
  QStringList lines_;
  QJsonArray controllers_;
  QStringList problems_;
  QJsonObject fields_;
};

// A command line refused before any session: the problem on standard error, and with --json
// the document that says so.
int printRefusal(QTextStream& out, bool json, const QString& problem);

}  // namespace orvex::cli
