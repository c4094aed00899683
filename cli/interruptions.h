#pragma once
#include <QObject>

// Ctrl-C, SIGTERM and SIGHUP (on Windows the console's Ctrl-C, Ctrl-Break and close events)
// while a command runs: counted, and told to the main thread's event loop, never acted on in
// the handler itself. The first lets the writes under way end; the second stops everything;
// from then on the system's default handling is back, so a third ends the program at once.
namespace orvex::cli {

class Interruptions : public QObject {
  Q_OBJECT
 public:
  explicit Interruptions(QObject* parent = nullptr);  // takes over the handling
  ~Interruptions() override;                          // gives it back
  Interruptions(const Interruptions&) = delete;
  Interruptions& operator=(const Interruptions&) = delete;

  int count() const;
  // The run has ended: a console that is being closed need not wait any longer.
  void runEnded();

 signals:
  void received(int count);  // in the thread that made this object

 private:
  void deliver();
};

// The shell's status for a run that an interruption ended.
constexpr int kInterrupted = 130;

}  // namespace orvex::cli
