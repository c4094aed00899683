#pragma once
#include <QTextStream>

#include "cli/session.h"

// The commands. Each returns the exit status; results go to `out` (text or JSON),
// progress and problems to standard error.
namespace orvex::cli {

int runRead(const Session& session, QTextStream& out);
int runWrite(const Session& session, QTextStream& out);
int runCompare(const Session& session, QTextStream& out);
int runReport(const Session& session, QTextStream& out);
int runHistory(const Session& session, QTextStream& out);

int runCommand(const Session& session, QTextStream& out);

class Results;
// Reads every controller on `ports` at once, with progress; the frame log written.
QList<ControllerOutcome> readControllers(const Session& session, const QStringList& ports,
                                         Results& results);

}  // namespace orvex::cli
