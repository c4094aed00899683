#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <deque>

#include "sim/instrumentmodel.h"
#include "sim/simoptions.h"

class QSocketNotifier;

namespace orvex::sim {

// Serves the instrument model on a pseudo-terminal. Keeps its own handle on the terminal's
// far side, so the program may close and reopen the port between attempts without the
// simulator seeing the line go away. Replies leave paced at the configured speed.
class SimServer : public QObject {
  Q_OBJECT
 public:
  SimServer(const SimOptions& options, InstrumentModel& model, QObject* parent = nullptr);
  ~SimServer() override;

  bool start(QString* error);  // opens the terminal and makes the COMn link
  QString terminalPath() const { return terminalPath_; }
  QString linkPath() const { return linkPath_; }
  bool dump(QString* error) const;

 private:
  struct OutByte {
    qint64 dueUs;
    char byte;
    bool lastOfReply;
  };
  bool makeLink(QString* error);
  void onReadable();
  void queueReply(const InstrumentModel::Reply& reply, qint64 requestEndUs);
  void flush();
  void scheduleFlush();
  qint64 nowUs() const { return clock_.nsecsElapsed() / 1000; }

  SimOptions options_;
  InstrumentModel& model_;
  int master_ = -1;
  int ownSlave_ = -1;
  QString terminalPath_;
  QString linkPath_;
  QSocketNotifier* readable_ = nullptr;
  QTimer flushTimer_;
  QElapsedTimer clock_;
  std::deque<OutByte> out_;
  qint64 lineFreeUs_ = 0;
};

}  // namespace orvex::sim
