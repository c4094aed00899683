#include "controllers.h"

#include <QThread>

#include <memory>
#include <vector>

#include "cli/cliarguments.h"
#include "cli/progress.h"
#include "link/eventloopwaiter.h"
#include "link/framelog.h"
#include "link/systemserialport.h"
#include "link/transfers.h"

namespace orvex::cli {
namespace {

// Everything here lives in the controller's own thread: the serial port, its waits (whose
// local event loops serve this thread only) and the transfer with its exchanges' state.
void runController(const LinkSetup& setup, const ControllerJob& job, ProgressBoard& board,
                   ControllerOutcome* out) {
  BoardMessages messages(board, out->port, &out->problems);
  SystemSerialPort serial(setup.programDir);
  QString error;
  const int number = comNumber(out->port);
  if (number > 0) serial.setPortNumber(number, &error);
  else serial.setDevice(out->port);
  if (!serial.applySettings(setup.lineSettings, &error)) {
    messages.show(MessageIcon::Critical, error, {}, MessageButtons::Ok);
    board.finished(out->port, false);
    return;
  }
  EventLoopWaiter waiter;
  BoardView view(board, out->port);
  InstrumentTransfers transfers(setup.texts, serial, waiter, messages, [&view] { return &view; });
  out->ok = job(transfers, &out->set);
  for (const TransferRecord& transfer : transfers.log().transfers())
    out->log += formatTransferLog(transfer);
  board.finished(out->port, out->ok);
}

}  // namespace

QList<ControllerOutcome> runOnControllers(const QStringList& ports, const LinkSetup& setup,
                                          const ControllerJob& job, ProgressBoard& board) {
  QList<ControllerOutcome> outcomes;
  for (const QString& port : ports) {
    outcomes.append(ControllerOutcome{});
    outcomes.last().port = port;
  }
  std::vector<std::unique_ptr<QThread>> threads;
  for (ControllerOutcome& outcome : outcomes) {
    ControllerOutcome* out = &outcome;
    threads.emplace_back(
        QThread::create([&setup, &job, &board, out] { runController(setup, job, board, out); }));
    threads.back()->start();
  }
  for (const auto& thread : threads) thread->wait();
  return outcomes;
}

}  // namespace orvex::cli
