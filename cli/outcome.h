#pragma once
#include <QJsonObject>
#include <QString>

#include "cli/controllers.h"

// How one controller's transfer ended, in the fixed words a script acts on.
namespace orvex::cli {

enum class Written { None, Partial, All };

struct OutcomeSummary {
  QString word;  // ok, no-answer, crc, exception, wrong-model, identity, port-lost, port-busy,
                 // partial-write, unverified, output, interrupted
  int slot = 0;  // the slot the write stopped at; 0 for none
  Written written = Written::None;
  bool verified = false;
};

// `write`: the transfer was a write (a read writes nothing).
OutcomeSummary summarize(const ControllerOutcome& outcome, const TextTables& texts, bool write);

// "port", "outcome", "slot", "written", "verified" and, after a failure, "problems".
QJsonObject outcomeJson(const ControllerOutcome& outcome, const OutcomeSummary& summary);

}  // namespace orvex::cli
