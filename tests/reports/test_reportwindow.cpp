#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "../files/fakeeditor.h"
#include "reportfixtures.h"
#include "reports/register.h"
#include "reports/reportrender.h"
#include "reports/reportwindow.h"

using namespace orvex;

namespace {

struct Fixture : test::WindowFixture {
  explicit Fixture(const QString& language = QStringLiteral("es")) {
    for (int n = 1; n <= 48; ++n) context.texts.message[n] = QStringLiteral("m%1").arg(n);
    const ReportInput sample = test::handWorkedInput(language);
    context.texts.report = sample.texts;
    editor->editorSet = sample.set;
    for (auto it = sample.numberBoxes.begin(); it != sample.numberBoxes.end(); ++it)
      editor->boxes.insert(it.key(), it.value());
    registerReportWindows(services);
    window = windows.get<Report>(QStringLiteral("Report"));
    window->show();
  }
  void generate(const QString& serial) {
    window->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(serial);
    window->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
  }
  Report* window = nullptr;
};

}  // namespace

class TestReportWindow : public QObject {
  Q_OBJECT
 private slots:
  void generatesFromTheCollectedEditor() {
    const QString language = QStringLiteral("en");
    Fixture f(language);
    f.context.configEditada = ParameterSet{};  // stale: the report must collect first
    f.generate(QStringLiteral("SN 0042"));
    QCOMPARE(f.editor->collections, 1);
    QVERIFY(f.messages.calls.isEmpty());
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.window->serialNumber(), QStringLiteral("SN 0042"));
    QCOMPARE(f.dir.read("Report/Txt/SN 0042.txt"),
             renderReport(test::handWorkedInput(language)).toLatin1());
    QVERIFY(f.window->findChild<QLabel*>("Status")->text().contains("SN 0042.txt"));
  }
  void emptySerialKeepsTheWindowOpen() {
    Fixture f;
    f.generate(QString());
    QCOMPARE(f.messages.calls.size(), 1);
    QCOMPARE(f.messages.calls[0].icon, MessageIcon::Exclamation);
    QCOMPARE(f.messages.calls[0].prompt, QStringLiteral("m47"));
    QCOMPARE(f.messages.calls[0].title, QStringLiteral("m48"));
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.editor->collections, 0);
    QVERIFY(QDir(f.dir.file("Report/Txt")).entryList(QDir::Files).isEmpty());
  }
  void failuresKeepTheWindowAndSayWhy_data() {
    QTest::addColumn<QString>("serial");
    QTest::addColumn<bool>("removeFolder");
    QTest::addColumn<QString>("title");
    QTest::newRow("unsafe serial") << "SN/1" << false << "File name not valid";
    QTest::newRow("no Report/Txt") << "SN1" << true << "File not written";
  }
  void failuresKeepTheWindowAndSayWhy() {
    QFETCH(QString, serial);
    QFETCH(bool, removeFolder);
    QFETCH(QString, title);
    Fixture f;
    if (removeFolder) QVERIFY(QDir(f.dir.file("Report/Txt")).removeRecursively());
    f.generate(serial);
    QCOMPARE(f.messages.calls.size(), 1);
    QCOMPARE(f.messages.calls[0].title, title);
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.window->findChild<QLineEdit*>("Text1")->text(), serial);
  }
  void cancelAndCloseControlHide() {
    Fixture f;
    f.window->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    QVERIFY(!f.window->isVisible());
    f.window->show();
    f.window->close();
    QVERIFY(!f.window->isVisible());
    QVERIFY(f.messages.calls.isEmpty());
  }
};

QTEST_MAIN(TestReportWindow)
#include "test_reportwindow.moc"
