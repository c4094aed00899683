#include "progress.h"

#include <QTime>

#include <algorithm>
#include <cmath>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include "lang/extratexts.h"
#include "lang/textlookup.h"

namespace orvex::cli {
namespace {

// The protocol's time at 9600 baud, where the pauses are most of it: a read is 8.3 s; a write
// is its slots (4 s), the restart (20 s), a read-back and 3 s at the end.
constexpr double kReadSeconds = 8.3;
constexpr double kWriteSlotsSeconds = 4.0;
constexpr double kRestartSeconds = 20.0;
constexpr double kWriteSeconds = kWriteSlotsSeconds + kRestartSeconds + kReadSeconds + 3.0;

int terminalWidth(std::FILE* out) {
#ifdef Q_OS_WIN
  Q_UNUSED(out);
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info))
    return info.srWindow.Right - info.srWindow.Left + 1;
#else
  winsize size{};
  if (ioctl(fileno(out), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
#endif
  return 80;
}

double seconds(const QElapsedTimer& timer) {
  return timer.isValid() ? static_cast<double>(timer.elapsed()) / 1000.0 : 0.0;
}

// Within a stage expected to last `expected` seconds, starting at `offset` of `total`: never
// past the stage's end until the transfer says it is there.
double share(double offset, double elapsed, double expected, double total) {
  return (offset + std::min(elapsed, expected * 0.99)) / total;
}

}  // namespace

ProgressBoard::ProgressBoard(const QStringList& ports, ProgressMode mode, TransferKind kind,
                             const TextTables* texts, std::FILE* out, int width)
    : ports_(ports),
      mode_(mode),
      kind_(kind),
      texts_(texts),
      out_(out),
      width_(width > 0 ? width : terminalWidth(out)) {}

void ProgressBoard::step(const QString& port, const QString& text) {
  const QMutexLocker lock(&mutex_);
  PortState& state = states_[port];
  if (!state.started.isValid()) state.started.start();
  if (state.stage == Stage::Restart && std::exchange(state.restartStepSeen, true)) {
    state.stage = Stage::ReadBack;  // the first step after the restart's own
    state.stageStarted.start();
  }
  state.text = text;
  // Steps come faster than anyone reads them: the bar is redrawn at most ten times a second.
  if (mode_ == ProgressMode::Bar && (!lastDraw_.isValid() || lastDraw_.elapsed() >= 100)) drawBar();
  else if (mode_ == ProgressMode::Lines) writeLine(port + QStringLiteral(": ") + text);
}

// The write's restart is the one phase worth a countdown: 20 s without a step.
void ProgressBoard::phase(const QString& port, const QString& text) {
  if (text != QLatin1String("Reset")) return;
  const QMutexLocker lock(&mutex_);
  PortState& state = states_[port];
  state.stage = Stage::Restart;
  state.stageStarted.start();
}

void ProgressBoard::problem(const QString& port, const QString& text) {
  if (mode_ == ProgressMode::Quiet) return;  // the outcome says it
  notice(port + QStringLiteral(": ") + text);
}

void ProgressBoard::notice(const QString& text) {
  const QMutexLocker lock(&mutex_);
  if (mode_ == ProgressMode::Bar && drawn_) {
    std::fprintf(out_, "\033[%lldA\r\033[J", static_cast<long long>(ports_.size()));
    drawn_ = false;  // the message goes above the bar
  }
  writeLine(text);
  if (mode_ == ProgressMode::Bar) drawBar();
}

void ProgressBoard::finished(const QString& port, bool ok) {
  const QMutexLocker lock(&mutex_);
  states_[port].ending = ok ? QStringLiteral("ok") : QStringLiteral("failed");
  if (mode_ == ProgressMode::Bar) drawBar();
}

void ProgressBoard::tick() {
  const QMutexLocker lock(&mutex_);
  if (mode_ == ProgressMode::Bar && drawn_) drawBar();
}

int ProgressBoard::percent(const PortState& state) const {
  if (!state.ending.isEmpty()) return 100;
  double done = 0;
  if (kind_ == TransferKind::Read) {
    done = share(0, seconds(state.started), kReadSeconds, kReadSeconds);
  } else {
    const double copy = kind_ == TransferKind::CopiedWrite ? kReadSeconds : 0.0;
    const double before = copy + kWriteSlotsSeconds;
    const double total = copy + kWriteSeconds;
    const double inStage = seconds(state.stageStarted);
    switch (state.stage) {
      case Stage::Before: done = share(0, seconds(state.started), before, total); break;
      case Stage::Restart: done = share(before, inStage, kRestartSeconds, total); break;
      case Stage::ReadBack:
        done = share(before + kRestartSeconds, inStage, kReadSeconds + 3.0, total);
        break;
    }
  }
  return std::clamp(static_cast<int>(done * 100), 0, 99);
}

// "COM1 [####------]  37% Reading parameter 12 = 5", cut to the terminal's width so that it
// never wraps (a wrapped line cannot be redrawn in place).
QString ProgressBoard::portLine(const QString& port) const {
  constexpr int kBarWidth = 10;
  const PortState state = states_.value(port);
  const int done = percent(state);
  QString text = state.ending.isEmpty() ? state.text : state.ending;
  if (state.ending.isEmpty() && state.stage == Stage::Restart) {
    const int left = static_cast<int>(std::ceil(kRestartSeconds - seconds(state.stageStarted)));
    text = extraText(texts_, extra::CliRestarting).arg(std::max(left, 0));
  }
  const int filled = done * kBarWidth / 100;
  const QString line = QStringLiteral("%1 [%2%3] %4% %5")
                           .arg(port, QString(filled, '#'), QString(kBarWidth - filled, '-'))
                           .arg(done, 3)
                           .arg(text.simplified());
  return line.left(std::max(width_ - 1, 1));
}

void ProgressBoard::drawBar() {
  QString lines;
  if (drawn_) lines += QStringLiteral("\033[%1A").arg(ports_.size());
  for (const QString& port : std::as_const(ports_))
    lines += QStringLiteral("\r\033[K") + portLine(port) + QLatin1Char('\n');
  std::fputs(lines.toUtf8().constData(), out_);
  std::fflush(out_);
  drawn_ = true;
  lastDraw_.start();
}

void ProgressBoard::writeLine(const QString& line) {
  const QString stamped =
      mode_ == ProgressMode::Lines
          ? QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz ")) + line
          : line;
  std::fputs((stamped + '\n').toUtf8().constData(), out_);
  std::fflush(out_);
}

}  // namespace orvex::cli
