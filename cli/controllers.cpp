#include "controllers.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QThread>
#include <QTimer>

#include <memory>
#include <vector>

#include "cli/cliarguments.h"
#include "cli/framelogfile.h"
#include "cli/interruptions.h"
#include "cli/progress.h"
#include "lang/extratexts.h"
#include "lang/textlookup.h"
#include "link/eventloopwaiter.h"
#include "link/framelog.h"
#include "link/serialport.h"
#include "link/systemserialport.h"
#include "link/transfers.h"

namespace orvex::cli {
namespace {

// The transfers under way, each in its controller's thread, for the main thread to pass an
// interruption on to. It reaches a transfer as an event of that thread, between two of its
// steps (the waits run the thread's event loop); a transfer that has not begun yet gets the
// interruptions so far as it registers, so that it stops at its start.
class RunningTransfers {
 public:
  RunningTransfers(ProgressBoard& board, const TextTables& texts, int interruptions)
      : board_(board), texts_(texts), interruptions_(interruptions) {}

  void add(InstrumentTransfers* transfers, const QString& port) {
    const QMutexLocker lock(&mutex_);
    running_.insert(transfers, port);
    for (int i = 0; i < interruptions_; ++i) interrupt(transfers, port);
  }
  void remove(InstrumentTransfers* transfers) {
    const QMutexLocker lock(&mutex_);
    running_.remove(transfers);
  }
  void interruptAll() {
    const QMutexLocker lock(&mutex_);
    ++interruptions_;
    for (auto it = running_.cbegin(); it != running_.cend(); ++it) {
      InstrumentTransfers* transfers = it.key();
      const QString& port = it.value();
      QMetaObject::invokeMethod(
          transfers, [this, transfers, port] { interrupt(transfers, port); }, Qt::QueuedConnection);
    }
  }

 private:
  void interrupt(InstrumentTransfers* transfers, const QString& port) {
    if (transfers->interrupt() == InstrumentTransfers::Interruption::WriteRunsOn)
      board_.notice(extraText(&texts_, extra::FinishingWrite).arg(port));
  }

  ProgressBoard& board_;
  const TextTables& texts_;
  QMutex mutex_;
  QHash<InstrumentTransfers*, QString> running_;
  int interruptions_;
};

// Everything here lives in the controller's own thread: the serial port, its waits (whose
// local event loops serve this thread only) and the transfer with its exchanges' state.
void runController(const LinkSetup& setup, const ControllerJob& job, const ControllerRun& run,
                   RunningTransfers& running, ControllerOutcome* out) {
  BoardMessages messages(run.board, out->port, &out->problems);
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
    if (run.log) run.log->append(out->port, formatTransferLog(out->record));
    run.board.finished(out->port, false);
    return;
  }
  EventLoopWaiter waiter;
  BoardView view(run.board, out->port);
  InstrumentTransfers transfers(setup.texts, serial, waiter, messages, [&view] { return &view; });
  if (run.log)
    transfers.setLogSink([&run, out](const QString& lines) { run.log->append(out->port, lines); });
  running.add(&transfers, out->port);
  out->ok = job(transfers, out);
  running.remove(&transfers);
  if (!transfers.log().isEmpty()) out->record = transfers.log().last();
  run.board.finished(out->port, out->ok);
}

}  // namespace

QString deviceOfPort(const QString& port, const QString& programDir) {
  const int number = comNumber(port);
  const QString named = number > 0 ? comDevicePath(programDir, number) : port;
#ifdef Q_OS_WIN
  // The system's own port names, whose case does not count (COM1 and com1 are one port). The
  // file system is not asked: looking a port up there opens it, and waits while it is in use.
  const QString prefix = QStringLiteral("\\\\.\\");
  return (named.startsWith(prefix) ? named.mid(prefix.size()) : named).toUpper();
#else
  const QFileInfo device(named);
  const QString canonical = device.canonicalFilePath();
  return canonical.isEmpty() ? device.absoluteFilePath() : canonical;
#endif
}

QString portsSharingADevice(const QStringList& ports, const QString& programDir) {
  QHash<QString, QString> portOfDevice;
  for (const QString& port : ports) {
    const QString device = deviceOfPort(port, programDir);
    if (portOfDevice.contains(device))
      return QStringLiteral("The ports %1 and %2 are the same device (%3).")
          .arg(portOfDevice[device], port, QDir::toNativeSeparators(device));
    portOfDevice.insert(device, port);
  }
  return {};
}

QList<ControllerOutcome> runOnControllers(const QStringList& ports, const LinkSetup& setup,
                                          const ControllerJob& job, const ControllerRun& run) {
  QList<ControllerOutcome> outcomes;
  for (const QString& port : ports) {
    outcomes.append(ControllerOutcome{});
    outcomes.last().port = port;
  }
  RunningTransfers running(run.board, setup.texts,
                           run.interruptions ? run.interruptions->count() : 0);
  // The main thread waits in an event loop, where the interruptions reach it and time moves
  // the progress on.
  QEventLoop loop;
  if (run.interruptions)
    QObject::connect(run.interruptions, &Interruptions::received, &loop,
                     [&running] { running.interruptAll(); });
  QTimer ticks;
  QObject::connect(&ticks, &QTimer::timeout, &loop, [&run] { run.board.tick(); });
  ticks.start(200);
  std::vector<std::unique_ptr<QThread>> threads;
  qsizetype unfinished = outcomes.size();
  for (ControllerOutcome& outcome : outcomes) {
    ControllerOutcome* out = &outcome;
    threads.emplace_back(QThread::create(
        [&setup, &job, &run, &running, out] { runController(setup, job, run, running, out); }));
    QObject::connect(threads.back().get(), &QThread::finished, &loop, [&loop, &unfinished] {
      if (--unfinished == 0) loop.quit();
    });
    threads.back()->start();
  }
  if (unfinished > 0) loop.exec();
  for (const auto& thread : threads) thread->wait();
  return outcomes;
}

}  // namespace orvex::cli
