#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include "lang/extratexts.h"
#include "lang/loadtexts.h"
#include "lang/textplan.h"
#include "lang/textsfile.h"
#include "support/servicesfixture.h"
#include "support/tempprogramdir.h"
#include "textfixture.h"

using namespace orvex;
using namespace orvex::test;

namespace {

// A stand-in editor with a few of the controls the item table names.
QWidget* makeEditor() {
  auto* window = new QWidget;
  auto* tabs = new QTabWidget(window);
  tabs->setObjectName("SSTab1");
  for (int i = 0; i < 5; ++i) tabs->addTab(new QWidget, QStringLiteral("design %1").arg(i));
  tabs->setCurrentIndex(3);
  for (int i = 1; i <= 6; ++i)
    (new QPushButton(window))->setObjectName(QStringLiteral("Command%1").arg(i));
  return window;
}

QWidget* makeReport() {
  auto* window = new QWidget;
  (new QLabel(window))->setObjectName("Label3");
  return window;
}

template <typename T>
T* control(WindowRegistry& windows, const QString& window, const QString& name) {
  return windows.window(window)->findChild<T*>(name);
}

}  // namespace

class TestLoadTexts : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    fx_ = std::make_unique<ProgramDirFixture>();
    fx_->dir.write("textos.sys", fixtureTextFile());
    fx_->windows.add("ConfigQVT", makeEditor);
    fx_->windows.add("Report", makeReport);
  }
  void cleanup() { fx_.reset(); }
  void putsTextsOnEveryWindowAndTable() {
    QSignalSpy applied(&fx_->events, &AppEvents::languageApplied);
    QVERIFY(loadTexts(fx_->services, 900));
    WindowRegistry& w = fx_->windows;
    auto* tabs = control<QTabWidget>(w, "ConfigQVT", "SSTab1");
    QCOMPARE(tabs->tabText(0) + "|" + tabs->tabText(4),
             fixtureItem(900, 32) + "|" + fixtureItem(900, 119));
    QCOMPARE(control<QLabel>(w, "Report", "Label3")->text(),
             fixtureItem(900, 264) + QDir::toNativeSeparators(fx_->dir.path() + "Report/Txt"));
    const TextTables& t = fx_->context.texts;
    QCOMPARE((QStringList{t.screen[1], t.message[48], t.extra[32]}),
             (QStringList{fixtureItem(900, 2), fixtureItem(900, 268), fixtureItem(900, 300)}));
    QVERIFY(applied.count() == 1 && fx_->messages.calls.isEmpty());
    QCOMPARE(tabs->currentIndex(), 3);  // kept
    // GrabFich is not registered and the editor lacks most controls: skipped, not created.
    QVERIFY(!fx_->windows.existing("GrabFich"));
    QCOMPARE(fx_->context.texts.grabFichLeaveCaption, fixtureItem(900, 160));
    // Qt's own words follow the language: the message boxes' buttons.
    QMessageBox box(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::Yes)->text() + box.button(QMessageBox::No)->text(),
             "&Ja&Nein");
  }
  void failureTellsOnceAndUsesBuiltInTexts_data() {
    QTest::addColumn<QByteArray>("file");  // empty: no file at all
    QTest::addColumn<int>("base");
    QTest::newRow("missing") << QByteArray() << 300;
    QTest::newRow("one item short") << fixtureTextFile(1200 + 267) << 1200;
    QTest::newRow("too large") << QByteArray(1024 * 1024 + 1, ',') << 900;
  }
  // No caption or message is left blank or in another language: the built-in block stands in.
  void failureTellsOnceAndUsesBuiltInTexts() {
    QFETCH(QByteArray, file);
    QFETCH(int, base);
    QFile::remove(fx_->dir.file("textos.sys"));
    if (!file.isEmpty()) fx_->dir.write("textos.sys", file);
    fx_->context.texts.screen[1] = "kept screen";
    fx_->context.texts.message[5] = "kept message";
    QWidget* editor = fx_->windows.window("ConfigQVT");
    editor->setWindowTitle("design title");
    QSignalSpy applied(&fx_->events, &AppEvents::languageApplied);

    QVERIFY(loadTexts(fx_->services, base));
    const QStringList shown = fx_->messages.shown();
    QCOMPARE(shown.size(), 1);
    const QString folder = QDir::toNativeSeparators(QDir(fx_->dir.path()).absolutePath());
    QVERIFY2(shown[0].startsWith("E ") && shown[0].contains("textos.sys") &&
                 shown[0].contains(folder),
             qPrintable(shown[0]));
    const QStringList builtIn = builtInTextBlock(base).items;
    const TextTables& t = fx_->context.texts;
    QCOMPARE(editor->windowTitle() + "|" + t.screen[1] + "|" + t.message[5] + "|" +
                 t.extra[extra::PortLost],
             builtIn[24] + "|" + builtIn[1] + "|" + builtIn[168] + "|" +
                 builtInTextBlock(base).extra[9]);
    QVERIFY(!t.extra[extra::SalvarHint].isEmpty());  // an extension item
    QCOMPARE(applied.count(), 1);
  }
  void everyItemHasAUse() {
    QCOMPARE(textItemTable().size(), size_t(269));
    QVERIFY(textItemTable()[0].empty());
    for (int item = 1; item <= 268; ++item)
      QVERIFY2(!textItemTable()[size_t(item)].empty(), qPrintable(QString::number(item)));
  }
  void missingControlsAreListed() {
    const QStringList missing = missingCaptionControls(fx_->windows);
    for (const char* entry : {"ConfigQVT.Label7", "Report.Label4"})
      QVERIFY2(missing.contains(entry), entry);
    for (const char* entry :
         {"ConfigQVT.Command1", "ConfigQVT.<title>", "ConfigQVT.SSTab1[tab 4]", "Report.Label3"})
      QVERIFY2(!missing.contains(entry), entry);
    // Windows the registry does not know are not this check's business.
    for (const QString& entry : missing)
      QVERIFY(entry.startsWith("ConfigQVT.") || entry.startsWith("Report."));
    // A tab the tab control lacks counts as missing.
    control<QTabWidget>(fx_->windows, "ConfigQVT", "SSTab1")->removeTab(4);
    QVERIFY(missingCaptionControls(fx_->windows).contains("ConfigQVT.SSTab1[tab 4]"));
  }

 private:
  std::unique_ptr<ProgramDirFixture> fx_;
};

QTEST_MAIN(TestLoadTexts)
#include "test_loadtexts.moc"
