#include "progress.h"

#include <algorithm>

namespace orvex::cli {

ProgressBoard::ProgressBoard(const QStringList& ports, bool bar, int stepsPerPort, std::FILE* out)
    : ports_(ports), bar_(bar), stepsPerPort_(std::max(1, stepsPerPort)), out_(out) {}

void ProgressBoard::step(const QString& port, const QString& text) {
  const QMutexLocker lock(&mutex_);
  ++states_[port].steps;
  if (bar_) drawBar();
  else writeLine(port + QStringLiteral(": ") + text);
}

void ProgressBoard::problem(const QString& port, const QString& text) {
  notice(port + QStringLiteral(": ") + text);
}

void ProgressBoard::notice(const QString& text) {
  const QMutexLocker lock(&mutex_);
  if (bar_) std::fputs("\r\033[K", out_);  // the message goes above the bar
  writeLine(text);
  if (bar_) drawBar();
}

void ProgressBoard::finished(const QString& port, bool ok) {
  const QMutexLocker lock(&mutex_);
  states_[port].ending = ok ? QStringLiteral("ok") : QStringLiteral("failed");
  if (!bar_) return;
  drawBar();
  const bool all = std::all_of(ports_.begin(), ports_.end(),
                               [this](const QString& p) { return !states_[p].ending.isEmpty(); });
  if (all) std::fputs("\n", out_);
}

// "COM1 [######----]  37% | COM2 [##########] ok"
void ProgressBoard::drawBar() {
  constexpr int kWidth = 10;
  QStringList parts;
  for (const QString& port : ports_) {
    const PortState& state = states_[port];
    const int percent =
        state.ending.isEmpty() ? std::min(99, state.steps * 100 / stepsPerPort_) : 100;
    const int filled = percent * kWidth / 100;
    const QString bar = QString(filled, '#') + QString(kWidth - filled, '-');
    parts << QStringLiteral("%1 [%2] %3")
                 .arg(port, bar,
                      state.ending.isEmpty() ? QStringLiteral("%1%").arg(percent, 3)
                                             : state.ending);
  }
  std::fputs(("\r\033[K" + parts.join(QStringLiteral(" | "))).toUtf8().constData(), out_);
  std::fflush(out_);
}

void ProgressBoard::writeLine(const QString& line) {
  std::fputs((line + '\n').toUtf8().constData(), out_);
  std::fflush(out_);
}

}  // namespace orvex::cli
