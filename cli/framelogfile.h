#pragma once
#include <QFile>
#include <QMutex>
#include <QString>

namespace orvex::cli {

// --log FILE: the frames of every controller, appended as they are logged and flushed at once,
// so that even a run killed outright leaves what happened so far. It is not saved atomically
// like the program's other files on purpose: a log that grows with the run is the point, and
// a file replaced only at the end is lost exactly when it is needed. With several controllers
// their lines mix in the order they happened, each line then starting with its port.
class FrameLogFile {
 public:
  explicit FrameLogFile(bool severalPorts) : tagged_(severalPorts) {}
  // Starts the file afresh; false with the system's words in *error.
  bool open(const QString& path, QString* error);
  // Called from the controllers' threads.
  void append(const QString& port, const QString& lines);
  // Every line so far reached the file; else *error says why.
  bool whole(QString* error);

 private:
  QMutex mutex_;
  QFile file_;
  bool tagged_;
  QString error_;  // the first write that failed
};

}  // namespace orvex::cli
