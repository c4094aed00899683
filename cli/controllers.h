#pragma once
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

#include "common/parameterset.h"
#include "common/texttables.h"
#include "link/framelog.h"

namespace orvex {
class InstrumentTransfers;
}

namespace orvex::cli {

class ProgressBoard;
class FrameLogFile;
class Interruptions;

// What every controller's link shares: where COMn links lie, the line settings, the texts.
struct LinkSetup {
  QString programDir;    // with a trailing separator
  QString lineSettings;  // "9600,N,8,1"
  TextTables texts;
};

struct ControllerOutcome {
  QString port;
  bool ok = false;
  ParameterSet set;       // what a read brought (a write: its read-back)
  QStringList problems;   // the messages the transfer gave, in order
  TransferRecord record;  // the transfer: how it ended, where, and its frames
  QString outputProblem;  // the result could not be written
  QString before;         // a write: the copy of what the controller held (History/...)
};

// Where the controllers of a run report: progress and problems, the frame log file (null:
// none), and the interruptions to pass on to their transfers (null: none).
struct ControllerRun {
  ProgressBoard& board;
  FrameLogFile* log = nullptr;
  const Interruptions* interruptions = nullptr;
};

// The transfers with one controller: true when they succeeded as a whole. The job fills
// `out->set` (and what else it has to tell) from the controller's own thread.
using ControllerJob = std::function<bool(InstrumentTransfers& transfers, ControllerOutcome* out)>;

// Two of `ports` that lead to the same device (COM1 and com1, or COM1 and the device its link
// in `programDir` points to): what to tell; empty when every port has a device of its own.
// Two links opening one device at once would mix their frames.
QString portsSharingADevice(const QStringList& ports, const QString& programDir);
// The device a port leads to, with every link followed.
QString deviceOfPort(const QString& port, const QString& programDir);

// Runs `job` on every port at once, each controller in a thread of its own with its own serial
// port, waits and transfer, so that one controller's waits never hold up another's and one's
// failure never stops the others. Returns when all have ended, in the order of `ports`; an
// interruption meanwhile is passed on to every transfer (InstrumentTransfers::interrupt).
QList<ControllerOutcome> runOnControllers(const QStringList& ports, const LinkSetup& setup,
                                          const ControllerJob& job, const ControllerRun& run);

}  // namespace orvex::cli
