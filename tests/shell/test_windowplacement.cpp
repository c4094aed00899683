// Windows opened from the main window and the editor stay inside the available area, frame
// included: a 2560 x 1600 screen at 2x scaling, 1280 x 800 to the program.
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "support/wholeprogram.h"

using namespace orvex;
using namespace orvex::test;

namespace {

struct Program : WholeProgram {
  QWidget* window(const char* name) { return windows.window(QLatin1String(name)); }
  void click(const char* window, const char* button) {
    this->window(window)->findChild<QPushButton*>(QLatin1String(button))->click();
  }
};

QString outside(const QWidget* window) {
  const QRect area = window->screen()->availableGeometry();
  const QRect frame = window->frameGeometry();
  if (area.contains(frame)) return {};
  return QStringLiteral("%1 at %2,%3 %4x%5 leaves %6x%7")
      .arg(window->objectName())
      .arg(frame.x())
      .arg(frame.y())
      .arg(frame.width())
      .arg(frame.height())
      .arg(area.width())
      .arg(area.height());
}

}  // namespace

class TestWindowPlacement : public QObject {
  Q_OBJECT
 private slots:
  void windowsStayOnTheScreen() {
    Program p;
    QWidget* main = p.window("Presentacion");
    main->move(500, 300);  // towards the lower right, where the user put it
    QWidget* editor = p.window("ConfigQVT");
    editor->move(400, 200);  // where a window manager might open it
    p.click("Presentacion", "Command4");
    QVERIFY2(outside(editor).isEmpty(), qPrintable(outside(editor)));

    // Moved by the user partly off the screen, left, opened again: back inside, its size kept.
    const QSize size = editor->size();
    editor->move(900, 500);
    p.click("ConfigQVT", "Command6");
    p.click("Presentacion", "Command4");
    QVERIFY2(outside(editor).isEmpty(), qPrintable(outside(editor)));
    QCOMPARE(editor->size(), size);

    for (const char* name : {"Report", "GrabFich"}) {
      p.window(name)->resize(1400, 900);  // larger than the screen
      p.click("ConfigQVT", name == QLatin1String("Report") ? "Command1" : "Command3");
      QVERIFY2(outside(p.window(name)).isEmpty(), qPrintable(outside(p.window(name))));
    }
  }
};

int main(int argc, char** argv) {
  // Beside the test, named relatively: a "C:" in the platform's argument would end it early.
  QTemporaryDir dir(QStringLiteral("screen-XXXXXX"));
  const QString config =
      QDir::current().relativeFilePath(dir.filePath(QStringLiteral("screen.json")));
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 2560,
                                  "height": 1600, "logicalDpi": 96, "logicalBaseDpi": 96}],
                     "windowFrameMargins": true})") < 0)
    return 1;
  file.close();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication app(argc, argv);
  TestWindowPlacement test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_windowplacement.moc"
