#include "interruptions.h"

#include <atomic>
#include <utility>

#ifdef Q_OS_WIN
#include <QWinEventNotifier>

#include <windows.h>
#else
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>
#endif

namespace orvex::cli {
namespace {

std::atomic<int> interruptions{0};
constexpr int kStopAtOnce = 2;  // from this one on the default handling is back

#ifdef Q_OS_WIN

// The console's handler runs in a thread of its own: it may not touch the program's objects,
// it sets an event the main thread's event loop waits on.
HANDLE wakeEvent = nullptr;
std::atomic<bool> ended{false};
// Windows ends the program 5 s after a close event whatever its handler does: the handler
// holds it back until the run has ended, or nearly that long.
constexpr DWORD kCloseWaitMs = 4'500;
constexpr DWORD kCloseStepMs = 50;

BOOL WINAPI onConsoleEvent(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
  if (interruptions.load() >= kStopAtOnce) return FALSE;  // the default: the program ends
  ++interruptions;
  SetEvent(wakeEvent);
  if (event == CTRL_CLOSE_EVENT)
    for (DWORD waited = 0; !ended.load() && waited < kCloseWaitMs; waited += kCloseStepMs)
      Sleep(kCloseStepMs);
  return TRUE;
}

QObject* takeOverHandling(QObject* parent) {
  wakeEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  SetConsoleCtrlHandler(onConsoleEvent, TRUE);
  return new QWinEventNotifier(wakeEvent, parent);
}

void giveBackHandling() {
  SetConsoleCtrlHandler(onConsoleEvent, FALSE);
  CloseHandle(std::exchange(wakeEvent, nullptr));
}

template <typename Receiver>
void onWake(QObject* notifier, Receiver* receiver, void (Receiver::*slot)()) {
  QObject::connect(static_cast<QWinEventNotifier*>(notifier), &QWinEventNotifier::activated,
                   receiver, slot);
}

#else

// The classic self-pipe: the handler only counts and writes a byte, both safe in a signal
// handler; the main thread's event loop reads it.
int wakePipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

void setHandler(void (*handler)(int)) {
  struct sigaction action = {};
  action.sa_handler = handler;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (const int number : kSignals) sigaction(number, &action, nullptr);
}

void onSignal(int) {
  const int savedErrno = errno;
  if (++interruptions >= kStopAtOnce) setHandler(SIG_DFL);
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &byte, 1);
  errno = savedErrno;
}

QObject* takeOverHandling(QObject* parent) {
  if (::pipe(wakePipe) != 0) return nullptr;  // then the default handling stays
  for (const int fd : wakePipe) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  setHandler(onSignal);
  return new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, parent);
}

void giveBackHandling() {
  setHandler(SIG_DFL);
  for (int& fd : wakePipe) ::close(std::exchange(fd, -1));
}

template <typename Receiver>
void onWake(QObject* notifier, Receiver* receiver, void (Receiver::*slot)()) {
  QObject::connect(static_cast<QSocketNotifier*>(notifier), &QSocketNotifier::activated, receiver,
                   [receiver, slot] {
                     char bytes[16];
                     while (::read(wakePipe[0], bytes, sizeof bytes) > 0) {
                     }
                     (receiver->*slot)();
                   });
}

#endif

}  // namespace

Interruptions::Interruptions(QObject* parent) : QObject(parent) {
  if (QObject* notifier = takeOverHandling(this)) onWake(notifier, this, &Interruptions::deliver);
}

Interruptions::~Interruptions() { giveBackHandling(); }

int Interruptions::count() const { return interruptions.load(); }

void Interruptions::runEnded() {
#ifdef Q_OS_WIN
  ended = true;
#endif
}

void Interruptions::deliver() { emit received(count()); }

}  // namespace orvex::cli
