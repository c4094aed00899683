#include <QDir>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

#include "support/servicesfixture.h"
#include "../lang/textfixture.h"
#include "lang/languages.h"
#include "lang/loadtexts.h"
#include "lang/register.h"
#include "shell/presentacion.h"
#include "shell/register.h"
#include "shell/startup.h"
#include "support/tempprogramdir.h"

using namespace orvex;
using namespace orvex::test;

namespace {
const QByteArray kAbsent = "<absent>";
const QString kNoLanguageFile =
    "E There is not the Language Configuration File or this one is damaged. English is loaded"
    "|Error Message -ORVEX LANGUAGE CONFIGURATION-";
}  // namespace

class TestStartup : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    fx_ = std::make_unique<ProgramDirFixture>();
    fx_->dir.write("textos.sys", fixtureTextFile());
  }
  void cleanup() { fx_.reset(); }
  // The marker scan's own cases are tested apart; these are the file's ways to the choice.
  void languageChoice_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("base");
    QTest::addColumn<bool>("message");
    QTest::addColumn<QByteArray>("fileAfter");  // empty: unchanged
    const QByteArray english = "$ENGLISH$\r\n";
    QTest::newRow("français, Windows-1252")
        << QByteArray("$FRAN\307AIS$\r\n") << 600 << false << QByteArray();
    QTest::newRow("plain C is unknown") << QByteArray("$FRANCAIS$\r\n") << 300 << false << english;
    QTest::newRow("missing") << kAbsent << 300 << true << english;
  }
  void languageChoice() {
    QFETCH(QByteArray, file);
    QFETCH(int, base);
    QFETCH(bool, message);
    QFETCH(QByteArray, fileAfter);
    if (file != kAbsent) fx_->dir.write("conflang.sys", file);
    start();
    QVERIFY(main_ && main_->isVisible());
    QCOMPARE(fx_->messages.shown(), message ? QStringList{kNoLanguageFile} : QStringList());
    QCOMPARE(fx_->dir.read("conflang.sys"), fileAfter.isEmpty() ? file : fileAfter);
    QCOMPARE(main_->windowTitle() + "|" + main_->findChild<QGroupBox*>("informacion")->title(),
             fixtureItem(base, 1) + "|" + fixtureItem(base, 2));
    QCOMPARE(fx_->context.languageMarker, QString::fromUtf16(languageForBase(base)->marker));
  }
  // Choosing and closing leaves the file; only Command8 stores the choice, then hides.
  void chosenLanguageMarkedInIdioma() {
    fx_->dir.write("conflang.sys", "$DEUTSCHLAND$\r\n");
    start();
    QWidget* idioma = fx_->windows.existing("Idioma");
    QVERIFY(idioma);
    const auto button = [idioma](const char* name) {
      return idioma->findChild<QPushButton*>(name);
    };
    const auto marked = [&button](const char* name) {
      return button(name)->palette().color(QPalette::Button) == QColor(Qt::white);
    };
    QVERIFY(marked("Command4") && !marked("Command3"));
    QCOMPARE(button("Command8")->text(), fixtureItem(900, 17));
    idioma->show();
    button("Command6")->click();
    idioma->close();
    QCOMPARE(fx_->dir.read("conflang.sys"), QByteArray("$DEUTSCHLAND$\r\n"));
    idioma->show();
    button("Command6")->click();
    button("Command8")->click();
    QCOMPARE(fx_->dir.read("conflang.sys"), QByteArray("$FRAN\307AIS$\r\n"));
    QVERIFY(idioma->isHidden() && fx_->messages.shown().isEmpty());
  }
  void languageFileThatCannotBeRewritten() {
    QVERIFY(QDir().mkpath(fx_->dir.file("conflang.sys")));  // unreadable and not replaceable
    start();
    const QStringList shown = fx_->messages.shown();
    QVERIFY(shown.size() == 2 && shown[0] == kNoLanguageFile && shown[1].contains("conflang.sys"));
    QCOMPARE(fx_->context.languageMarker + main_->windowTitle(), "$ENGLISH$" + fixtureItem(300, 1));
  }

 private:
  void start() {
    registerLanguageWindows(fx_->services);
    registerShellWindows(fx_->services);
    startShell(fx_->services);
    main_ = fx_->windows.get<Presentacion>("Presentacion");
  }
  std::unique_ptr<ProgramDirFixture> fx_;
  Presentacion* main_ = nullptr;
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
