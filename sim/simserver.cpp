#include "simserver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <chrono>
#include <cstdio>

#include <fcntl.h>
#include <cstdlib>
#include <termios.h>
#include <unistd.h>

#include "common/textfile.h"

namespace orvex::sim {

SimServer::SimServer(const SimOptions& options, InstrumentModel& model, QObject* parent)
    : QObject(parent), options_(options), model_(model) {
  flushTimer_.setSingleShot(true);
  flushTimer_.setTimerType(Qt::PreciseTimer);
  connect(&flushTimer_, &QTimer::timeout, this, &SimServer::flush);
  clock_.start();
}

SimServer::~SimServer() {
  if (!linkPath_.isEmpty() && QFileInfo(linkPath_).isSymLink()) QFile::remove(linkPath_);
  if (ownSlave_ >= 0) ::close(ownSlave_);
  if (master_ >= 0) ::close(master_);
}

bool SimServer::start(QString* error) {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
    *error = QStringLiteral("cannot create a pseudo-terminal: %1").arg(qt_error_string());
    return false;
  }
  terminalPath_ = QString::fromLocal8Bit(::ptsname(master_));
  ownSlave_ = ::open(terminalPath_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
  if (ownSlave_ < 0) {
    *error = QStringLiteral("cannot open %1: %2").arg(terminalPath_, qt_error_string());
    return false;
  }
  termios raw{};  // no echo, no line editing: a serial line carries bytes as they are
  ::tcgetattr(ownSlave_, &raw);
  ::cfmakeraw(&raw);
  ::tcsetattr(ownSlave_, TCSANOW, &raw);
  readable_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
  connect(readable_, &QSocketNotifier::activated, this, &SimServer::onReadable);
  return options_.programDir.isEmpty() || makeLink(error);
}

bool SimServer::makeLink(QString* error) {
  const QString dir = QDir(options_.programDir).absolutePath() + '/';
  const QString name = QStringLiteral("COM%1").arg(options_.port);
  const QString existing = findFileNoCase(dir, name);
  const QFileInfo info(existing);
  if (info.exists() || info.isSymLink()) {
    if (!info.isSymLink()) {
      *error = QStringLiteral("%1 exists and is not a link; not replacing it").arg(existing);
      return false;
    }
    QFile::remove(existing);  // left by an earlier run
  }
  linkPath_ = dir + name;
  if (!QFile::link(terminalPath_, linkPath_)) {
    *error = QStringLiteral("cannot make the link %1 -> %2").arg(linkPath_, terminalPath_);
    linkPath_.clear();
    return false;
  }
  return true;
}

void SimServer::onReadable() {
  char buffer[512];
  const ssize_t n = ::read(master_, buffer, sizeof buffer);
  if (n <= 0) return;
  const qint64 now = nowUs();
  for (const auto& reply : model_.receive(QByteArray(buffer, n), now)) queueReply(reply, now);
}

void SimServer::queueReply(const InstrumentModel::Reply& reply, qint64 requestEndUs) {
  const qint64 charUs = (1'000'000LL * 10 + options_.baud - 1) / options_.baud;
  const qint64 burstUs = options_.burstMs * 1000LL;
  qint64 t = std::max(requestEndUs, lineFreeUs_);
  const qint64 replyStart = t;
  for (const auto& chunk : reply) {
    t += chunk.delayUs;
    for (const char byte : chunk.bytes) {
      t += charUs;
      qint64 due = t;
      if (burstUs > 0) due = replyStart + (t - replyStart + burstUs - 1) / burstUs * burstUs;
      out_.push_back({due, byte, false});
    }
  }
  if (!out_.empty()) out_.back().lastOfReply = true;
  lineFreeUs_ = t;
  scheduleFlush();
}

void SimServer::flush() {
  const qint64 now = nowUs();
  QByteArray batch;
  bool replyEnded = false;
  while (!out_.empty() && out_.front().dueUs <= now) {
    batch.append(out_.front().byte);
    replyEnded = replyEnded || out_.front().lastOfReply;
    out_.pop_front();
  }
  if (!batch.isEmpty()) {
    // Non-blocking: with nobody reading a full terminal buffer, bytes are lost as on a line.
    const ssize_t written = ::write(master_, batch.constData(), static_cast<size_t>(batch.size()));
    if (replyEnded && options_.timestamps) {
      const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                          std::chrono::steady_clock::now().time_since_epoch())
                          .count();
      std::printf("reply-end %lld %lld\n", static_cast<long long>(written),
                  static_cast<long long>(ns));
      std::fflush(stdout);
    }
  }
  scheduleFlush();
}

void SimServer::scheduleFlush() {
  if (out_.empty() || flushTimer_.isActive()) return;
  const qint64 waitUs = std::max<qint64>(0, out_.front().dueUs - nowUs());
  flushTimer_.start(static_cast<int>((waitUs + 999) / 1000));
}

bool SimServer::dump(QString* error) const {
  if (options_.dumpFile.isEmpty()) return true;
  // The program's own atomic save: a buffered QSaveFile would commit a dump the disk cut
  // short, replacing the previous one with an empty file.
  QString reason;
  if (writeTextFileAtomic(options_.dumpFile, model_.configurationText(), &reason)) return true;
  *error = QStringLiteral("cannot write %1: %2").arg(options_.dumpFile, reason);
  return false;
}

}  // namespace orvex::sim
