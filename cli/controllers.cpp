#include "controllers.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QThread>

#include <memory>
#include <vector>

#include "cli/cliarguments.h"
#include "cli/progress.h"
#include "link/eventloopwaiter.h"
#include "link/framelog.h"
#include "link/serialport.h"
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
    out->record.frames << FrameRecord{0,
                                      FrameVerdict::Port,
                                      {},
                                      out->port + " not opened: " + error};
    board.finished(out->port, false);
    return;
  }
  EventLoopWaiter waiter;
  BoardView view(board, out->port);
  InstrumentTransfers transfers(setup.texts, serial, waiter, messages, [&view] { return &view; });
  out->ok = job(transfers, &out->set);
  for (const TransferRecord& transfer : transfers.log().transfers())
    out->log += formatTransferLog(transfer);
  if (!transfers.log().isEmpty()) out->record = transfers.log().last();
  board.finished(out->port, out->ok);
}

// The device a port leads to, with every link followed.
QString deviceOf(const QString& port, const QString& programDir) {
  const int number = comNumber(port);
  const QFileInfo device(number > 0 ? comDevicePath(programDir, number) : port);
  const QString canonical = device.canonicalFilePath();
  QString path = canonical.isEmpty() ? device.absoluteFilePath() : canonical;
#ifdef Q_OS_WIN
  return path.toUpper();  // COM1 and com1 are one port
#else
  return path;
#endif
}

}  // namespace

QString portsSharingADevice(const QStringList& ports, const QString& programDir) {
  QHash<QString, QString> portOfDevice;
  for (const QString& port : ports) {
    const QString device = deviceOf(port, programDir);
    if (portOfDevice.contains(device))
      return QStringLiteral("The ports %1 and %2 are the same device (%3).")
          .arg(portOfDevice[device], port, QDir::toNativeSeparators(device));
    portOfDevice.insert(device, port);
  }
  return {};
}

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
  for (const auto& thread : threads)
    while (!thread->wait(QDeadlineTimer(200))) board.tick();
  return outcomes;
}

}  // namespace orvex::cli
