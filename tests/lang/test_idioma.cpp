#include <QDir>
#include <QPushButton>
#include <QTest>

#include "common/cp1252.h"
#include "lang/idioma.h"
#include "lang/languages.h"
#include "lang/register.h"
#include "support/servicesfixture.h"
#include "support/tempprogramdir.h"
#include "textfixture.h"

using namespace orvex;
using namespace orvex::test;

class TestIdioma : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    fx_ = std::make_unique<ProgramDirFixture>();
    fx_->dir.write("textos.sys", fixtureTextFile());
    fx_->dir.write("conflang.sys", "$ENGLISH$\r\n");
    fx_->context.languageMarker = "$ENGLISH$";
    registerLanguageWindows(fx_->services);
    idioma_ = fx_->windows.get<Idioma>("Idioma");
    QVERIFY(idioma_);
    idioma_->show();
  }
  void cleanup() { fx_.reset(); }
  void languageButtonSwitchesTextsAndMarks_data() {
    QTest::addColumn<QString>("marker");
    for (const Language& language : languages())
      QTest::newRow(language.buttonName) << QString::fromUtf16(language.marker);
  }
  void languageButtonSwitchesTextsAndMarks() {
    QFETCH(QString, marker);
    const Language* language = languageForMarker(marker);
    click(language->buttonName);
    QCOMPARE(fx_->context.languageMarker, marker);
    QCOMPARE(button("Command8")->text() + fx_->context.texts.exitCaption,
             fixtureItem(language->base, 17).repeated(2));
    for (const Language& other : languages())
      QCOMPARE(isMarked(other.buttonName), &other == language);
    // The language buttons keep their own captions.
    QCOMPARE(button(language->buttonName)->text(), QString::fromUtf16(language->buttonCaption));
  }
  // Choosing and closing leaves the file; only Command8 stores the choice, then hides.
  void onlyCommand8StoresTheChoice() {
    click("Command6");
    click("Command1");
    idioma_->close();
    QCOMPARE(fx_->dir.read("conflang.sys"), QByteArray("$ENGLISH$\r\n"));
    QCOMPARE(fx_->messages.shown(), QStringList());
    idioma_->show();
    click("Command6");
    click("Command8");
    QCOMPARE(fx_->dir.read("conflang.sys"), QByteArray("$FRAN\xC7"
                                                       "AIS$\r\n"));
    QVERIFY(idioma_->isHidden());
  }

 private:
  QPushButton* button(const char* name) { return idioma_->findChild<QPushButton*>(name); }
  void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
  bool isMarked(const char* name) {
    return button(name)->palette().color(QPalette::Button) == QColor(Qt::white);
  }

  std::unique_ptr<ProgramDirFixture> fx_;
  Idioma* idioma_ = nullptr;
};

QTEST_MAIN(TestIdioma)
#include "test_idioma.moc"
