#pragma once
#include <QtGlobal>

#ifndef Q_OS_WIN
#include <sys/resource.h>

#include <csignal>
#endif

namespace orvex::test {

// Every file write beyond `bytes` fails, as on a full disk, even for root, while in scope.
// Windows has no such limit: there `kAvailable` is false and a test skips its full-disk case.
#ifndef Q_OS_WIN
class FileSizeLimit {
 public:
  static constexpr bool kAvailable = true;
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limited = previous_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = nullptr;
};
#else
struct FileSizeLimit {
  static constexpr bool kAvailable = false;
  explicit FileSizeLimit(qint64) {}
};
#endif

}  // namespace orvex::test
