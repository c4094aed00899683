// Start-up and language-switch timings of the program, run in a program directory:
//   cd <program dir> && <build>/bench/bench_shell [switches]
// Start-up: process start (and main()) to the first paint of the main window.
// Switch: one language button of Idioma (LoadTexts over every window), median of `switches`.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <unistd.h>

#include "lang/idioma.h"
#include "lang/languages.h"
#include "program.h"

namespace {

// Milliseconds since this process started, from the kernel's clock ticks (10 ms grain).
double msSinceProcessStart() {
  QFile stat("/proc/self/stat"), uptime("/proc/uptime");
  if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly)) return -1;
  const QByteArray line = stat.readAll();
  const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
  const double startTicks = fields.value(19).toDouble();  // field 22 of the whole line
  const double upSeconds = uptime.readAll().split(' ').value(0).toDouble();
  return (upSeconds - startTicks / double(sysconf(_SC_CLK_TCK))) * 1000.0;
}

QWidget* topLevel(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String(name)) return w;
  return nullptr;
}

class FirstPaint : public QObject {
 public:
  explicit FirstPaint(std::function<void()> done) : done_(std::move(done)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && done_) {
      auto done = std::move(done_);
      done_ = nullptr;
      watched->removeEventFilter(this);
      QTimer::singleShot(0, done);
    }
    return false;
  }

 private:
  std::function<void()> done_;
};

void benchLanguageSwitch(int switches) {
  auto* idioma = qobject_cast<orvex::Idioma*>(topLevel("Idioma"));
  if (!idioma) {
    std::printf("no Idioma window\n");
    return;
  }
  std::vector<double> ms;
  QElapsedTimer timer;
  for (int i = 0; i < switches; ++i) {
    const auto& language = orvex::languages()[size_t(i % 5)];
    timer.start();
    idioma->chooseLanguage(language);
    ms.push_back(double(timer.nsecsElapsed()) / 1e6);
  }
  std::sort(ms.begin(), ms.end());
  std::printf("language switch: median %.2f ms, max %.2f ms over %d switches\n", ms[ms.size() / 2],
              ms.back(), switches);
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer sinceMain;
  sinceMain.start();
  QApplication app(argc, argv);
  const int switches = argc > 1 ? std::max(1, atoi(argv[1])) : 50;
  orvex::Program program;
  QWidget* main = topLevel("Presentacion");
  if (!main) return 1;
  FirstPaint watcher([&] {
    std::printf(
        "start-up: %.1f ms from main() to the main window painted, %.0f ms from process "
        "start (10 ms grain)\n",
        double(sinceMain.nsecsElapsed()) / 1e6, msSinceProcessStart());
    benchLanguageSwitch(switches);
    QApplication::exit(0);
  });
  main->installEventFilter(&watcher);
  return program.run();
}
