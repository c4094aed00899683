#include <QtTest>

#include <QAbstractButton>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include "files/fakeeditor.h"
#include "lang/loadtexts.h"
#include "link/configcom.h"
#include "link/register.h"
#include "link/transfers.h"
#include "link/ui/grabqvt.h"
#include "link/ui/registro.h"
#include "transferrig.h"

using namespace orvex;
using namespace orvex::test;

namespace {

// The link windows wired as in the program, on the virtual clock, with a stand-in editor.
struct WiredRig : LinkBench {
  TempProgramDir dir{false};
  WindowRegistry windows;
  AppEvents events;
  AppServices services{context, windows, messages, events, &port, &clock};
  FakeEditor* editor = nullptr;

  WiredRig() {
    context.programDir = dir.path();
    context.serialSettings = "COM1:9600,N,8,1";
    windows.add("ConfigQVT", [this] { return editor = new FakeEditor(context); });
    windows.window("ConfigQVT");
    registerLinkWindows(services);
  }
  ~WiredRig() { windows.unloadAll({}); }

  GrabQVT* grab() { return windows.get<GrabQVT>("GrabQVT"); }
  QLabel* label(const char* name) { return grab()->findChild<QLabel*>(name); }
  QTimer* timer1() { return grab()->findChild<QTimer*>("Timer1"); }
  // "title | Label1 | (r,g,b)"
  QString phase() {
    const QColor c = label("Label1")->palette().color(QPalette::WindowText);
    return QStringLiteral("%1| %2| (%3,%4,%5)")
        .arg(grab()->windowTitle(), label("Label1")->text())
        .arg(c.red())
        .arg(c.green())
        .arg(c.blue());
  }
  // Every distinct phase seen at 50 ms intervals while a transfer runs.
  void samplePhases(QStringList* seen) {
    clock.after(50'000, [this, seen] {
      if (!services.transfers->running()) return;
      if (grab()->isVisible() && seen->value(seen->size() - 1) != phase()) seen->append(phase());
      samplePhases(seen);
    });
  }
};

}  // namespace

class TestGrabQvt : public QObject {
  Q_OBJECT
 private slots:
  void puntoRule_data() {
    QTest::addColumn<QList<int>>("directions");  // TransferDirection at each Timer1 tick
    QTest::addColumn<int>("expected");           // twips
    QTest::newRow("one step right") << QList<int>{1} << 1752;
    QTest::newRow("ten steps reach the end") << QList<int>(10, 1) << 3480;
    QTest::newRow("from the end back to the start") << QList<int>(11, 1) << 1560;
    QTest::newRow("left from the start jumps to the end") << QList<int>{0} << 3480;
    QTest::newRow("then moves left") << QList<int>{0, 0} << 3288;
  }
  void puntoRule() {
    QFETCH(QList<int>, directions);
    QFETCH(int, expected);
    WiredRig rig;
    QCOMPARE(rig.grab()->puntoLeft(), 1560);
    for (const int direction : directions) {
      rig.grab()->setDirection(TransferDirection(direction));
      rig.grab()->onTimer1Tick();
    }
    QCOMPARE(rig.grab()->puntoLeft(), expected);
    QCOMPARE(rig.grab()->findChild<QWidget*>("punto")->x(), expected / 15);  // 15 twips a pixel
  }

  void readShowsItsPhases() {
    WiredRig rig;
    QVERIFY(rig.timer1()->interval() == 200 && !rig.timer1()->isActive());
    bool animating = false;
    rig.clock.at(500'000, [&] { animating = rig.timer1()->isActive() && !rig.grab()->isModal(); });
    QStringList seen;
    rig.samplePhases(&seen);
    emit rig.events.readInstrumentRequested();
    QVERIFY(animating);
    QCOMPARE(seen, (QStringList{"m28 | m2 | (0,255,255)", "m28 | m19 | (0,255,0)"}));
    QCOMPARE(rig.label("proceso")->text(), "m33 ");
    QVERIFY(!rig.grab()->isVisible() && !rig.timer1()->isActive() && rig.editor->shown.size() == 1);
    QLabel* panel = rig.label("Label1");  // dark behind the coloured phases, so they read well
    QVERIFY(panel->autoFillBackground() &&
            panel->palette().color(QPalette::Window).lightness() < 64);
  }

  void writeShowsItsPhases() {
    WiredRig rig;
    QStringList seen;
    rig.samplePhases(&seen);
    emit rig.events.writeInstrumentRequested();
    QCOMPARE(rig.messages.shown(), QStringList());
    QCOMPARE(seen, (QStringList{"m1 | m2 | (0,255,255)", "m1 | m5 | (255,0,0)",
                                "m1 | Reset| (0,255,255)", "m28 | m2 | (0,255,255)",
                                "m28 | m19 | (0,255,0)", "m21 | m22 | (0,255,255)"}));
    QVERIFY(rig.label("proceso")->text() == "m27 " && !rig.grab()->isVisible());
  }

  // The close control cancels a read at once; while a write's registers go out it is
  // ignored, and Cancel, disabled, says why.
  void closeControlCancelsWhereCancelIsAllowed() {
    WiredRig rig;
    rig.instrument.faults().noAnswer = true;
    rig.clock.at(500'000, [&] { rig.grab()->close(); });
    emit rig.events.readInstrumentRequested();
    QVERIFY(rig.clock.nowUs() == 500'000 && !rig.grab()->isVisible());
    rig.instrument.faults().noAnswer = false;
    auto* cancel = rig.grab()->findChild<QAbstractButton*>("Command2");
    QString during;
    rig.clock.after(2'500'000, [&] {  // among the registers
      rig.grab()->close();
      during = cancel->text() + (cancel->isEnabled() ? " enabled" : " disabled");
    });
    emit rig.events.writeInstrumentRequested();
    QCOMPARE(during + rig.label("proceso")->text(), "cannot stop disabledm27 ");
  }

  // Salvar during a transfer stores the settings at once; the port takes them once the
  // transfer has ended (switching ports under it would cut the read off).
  void serialSettingsWaitForTheTransfer() {
    WiredRig rig;
    int portDuring = 0;
    rig.clock.at(2'000'000, [&] {
      auto* com = rig.windows.get<ConfigCOM>("ConfigCOM");
      com->findChild<QAbstractButton*>("PuertoCom(2)")->click();
      com->findChild<QAbstractButton*>("Salvar")->click();
      portDuring = rig.port.portNumber();
    });
    emit rig.events.readInstrumentRequested();
    QCOMPARE(rig.messages.shown(), QStringList());
    QCOMPARE(rig.port.written().size(), 4);  // the read went through
    QCOMPARE(QList<int>({portDuring, rig.port.portNumber()}), QList<int>({1, 2}));
    QVERIFY(rig.dir.read("confcom.sys").startsWith("COM2:"));
  }

  // The progress window's "Frames..." opens the log of the transfer; it is saved as a file.
  void framesOfTheTransferAreShownAndSaved() {
    WiredRig rig;
    emit rig.events.readInstrumentRequested();
    rig.grab()->findChild<QAbstractButton*>("Command1")->click();
    auto* log = rig.windows.get<Registro>("Registro");
    QVERIFY(log->isVisible());
    const QString shown = log->findChild<QPlainTextEdit*>("Text1")->toPlainText();
    QVERIFY2(shown.contains("->  37 05 00 01 00 3F D9 8C"), qPrintable(shown));
    rig.dir.write("Report", "a file where the folder belongs");  // told in the program's words
    QVERIFY(!log->save() && rig.messages.shown().size() == 1);
    QVERIFY2(rig.messages.shown()[0].contains(": " +
                                              QDir::toNativeSeparators(rig.dir.file("Report")) +
                                              " is a file, not a folder."),
             qPrintable(rig.messages.shown()[0]));
    QFile::remove(rig.dir.file("Report"));
    QVERIFY(log->save());
    const QStringList saved = QDir(rig.dir.file("Report/Log")).entryList(QDir::Files);
    QCOMPARE(saved.size(), 1);
    QCOMPARE(
        QString::fromLatin1(rig.dir.read("Report/Log/" + saved[0])).replace("\r\n", "\n").trimmed(),
        shown.trimmed());
  }

  // The log of a write under way grows while the user reads it: a view at the end follows the
  // new frames; one scrolled back keeps its place and its selection, to the transfer's end.
  void frameLogGrowsWithoutLosingTheReadersPlace() {
    WiredRig rig;
    Registro* log = nullptr;
    QPlainTextEdit* text = nullptr;
    QScrollBar* bar = nullptr;
    QStringList seen;
    rig.clock.at(2'400'000, [&] {
      rig.grab()->findChild<QAbstractButton*>("Command1")->click();
      log = rig.windows.get<Registro>("Registro");
      text = log->findChild<QPlainTextEdit*>("Text1");
      bar = text->verticalScrollBar();
    });
    rig.clock.at(2'700'000, [&] {
      log->refresh();
      seen << QStringLiteral("followed %1")
                  .arg(bar->maximum() > 0 && bar->value() == bar->maximum());
      bar->setValue(2);
      QTextCursor line(text->document()->findBlockByNumber(2));
      line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
      text->setTextCursor(line);
      seen << text->textCursor().selectedText();
    });
    rig.clock.at(3'000'000, [&] {
      const int before = text->document()->blockCount();
      log->refresh();
      seen << QStringLiteral("grew %1 at %2")
                  .arg(text->document()->blockCount() > before)
                  .arg(bar->value());
    });
    emit rig.events.writeInstrumentRequested();
    seen << QStringLiteral("at %1").arg(bar->value()) << text->textCursor().selectedText();
    QCOMPARE(seen.mid(2), (QStringList{"grew 1 at 2", "at 2", seen[1]}));
    QCOMPARE(seen[0], "followed 1");
    QVERIFY(seen[1].contains("->  37 03 00 2D 00 01 11 95"));
    QVERIFY(text->toPlainText().endsWith("outcome: written and verified\n"));
    QCOMPARE(text->toPlainText(), formatTransferLog(rig.services.transfers->log().last()));
  }

  // A language chosen during a transfer: the progress window keeps the transfer's title, now
  // in that language, and its step is told in it at once.
  void languageChangedDuringATransfer() {
    WiredRig rig;
    rig.dir.write("textos.sys", TempProgramDir(true).read("textos.sys"));
    QString title, step;
    rig.clock.at(5'000'000, [&] {
      loadTexts(rig.services, 900);
      title = rig.grab()->windowTitle();
      step = rig.label("proceso")->text();
    });
    emit rig.events.readInstrumentRequested();
    const auto& m = rig.context.texts.message;
    QCOMPARE(title, m[28]);
    QVERIFY2(step.startsWith(m[29]) && step.contains(m[30]), qPrintable(step));
    QCOMPARE(rig.messages.shown(), QStringList());
  }
};

QTEST_MAIN(TestGrabQvt)
#include "test_grabqvt.moc"
